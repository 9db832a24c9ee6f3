// Placeholder until the companion file copying lands.
#include "driver/ScenarioConverter.h"
int ScenarioConverter::copyCompanionFiles(const std::filesystem::path&, const std::string&) { return 1; }
