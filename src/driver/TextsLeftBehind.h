#pragma once

#include <filesystem>
#include <string>
#include <vector>

class ScenarioConverter;

// The texts that the destination reads from a scenario folder but the conversion does not
// make, in the order the note names them: found case-blind, each under the name the folder
// stores it by (an exact spelling preferred, else the first in byte order).
std::vector<std::string> textsLeftBehind(const std::filesystem::path& scenarioFolder);

// The note, after the companion files, naming the texts left behind in `scenarioFolder`
// (`shownFolder` as the user knows it); nothing when it holds none.
void noteTextsLeftBehind(ScenarioConverter& converter, const std::filesystem::path& scenarioFolder,
                         const std::string& shownFolder);
