#include "report/RunReport.h"

#include <system_error>

#include "base/PathText.h"

namespace fs = std::filesystem;

void recordConversion(ScenarioReport& scenario, const ScenarioConverter& converter, bool profiled) {
    scenario.profiled = profiled;
    scenario.edition = converter.edition;
    if (profiled) {
        scenario.mapWidth = std::int64_t{converter.mapHalfWidth} * 2;
        scenario.mapHeight = converter.mapHeight;
        scenario.units = converter.unitCount;
        scenario.cities = converter.cityCount;
    }
    for (const ScenarioConverter::Output& output : converter.outputs()) {
        std::error_code error;
        const std::uintmax_t bytes = fs::file_size(output.path, error);
        scenario.outputs.push_back({output.path, output.copiedFrom, error ? -1 : static_cast<std::int64_t>(bytes)});
    }
    scenario.pictures = converter.pictures();
    scenario.rules = converter.rulesMerge;
}
