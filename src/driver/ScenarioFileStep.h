#pragma once

#include <filesystem>
#include <iosfwd>

class ReplacingOutput;
class ScenarioConverter;

// The scenario file step of a full run: "Converting SCN file...", the conversion of
// `scenario` (read from `scenarioPath`) into `output`, and "Done!" once the output has
// replaced its name whole. A scenario that could not be read to the end of what its
// profile announces, or an output that could not be written, is reported instead, and
// the output's name keeps what it held.
void convertScenarioStep(ScenarioConverter& converter, std::istream& scenario,
                         const std::filesystem::path& scenarioPath, ReplacingOutput& output);
