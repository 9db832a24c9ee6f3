#pragma once

#include <filesystem>

class ScenarioConverter;

// The rules step of a full run: "Converting Rules.txt", then, when the scenario has a
// rules text, the merged Rules.txt in the output folder and "Done!"; a template that is
// missing, an output that would replace a file it must not, or a text that could not be
// read or written whole is reported instead, and no Rules.txt is put in place.
void convertRulesStep(ScenarioConverter& converter, const std::filesystem::path& scenarioFolder);
