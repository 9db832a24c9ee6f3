#pragma once

#include <filesystem>

#include "base/Outcome.h"

class RulesTextInput;
class ScenarioConverter;

// Writes the rules text at `outputPath` by the converter's mergeRules from the scenario's
// and the template's rules texts, and puts it in place only when both were read to their
// end and it was written whole. Fails with "could not create <output>", "could not read
// <input>" or "could not write <output>"; the output's name then keeps what it held.
Outcome writeMergedRules(ScenarioConverter& converter, RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                         const std::filesystem::path& outputPath);
