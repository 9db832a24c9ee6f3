#include "report/RunReport.h"

#include <system_error>

#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "report/ReportPage.h"

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

Outcome writeRunReport(const RunReport& report, const fs::path& file) {
    std::error_code error;
    if (fs::is_regular_file(file, error) && !isReportPage(file)) {
        return Outcome::failure(displayPath(file) + " is no report of an earlier run");
    }
    ReplacingOutput output(file);
    if (!output.isOpen()) return Outcome::failure("could not create " + displayPath(file));
    writeReportPage(output.stream(), report, file.parent_path());
    if (!output.commit()) return Outcome::failure("could not write " + displayPath(file));
    return Outcome::success();
}
