#include "driver/RunRequest.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "base/PathText.h"
#include "driver/HelpScreen.h"
#include "driver/ScenarioPath.h"

namespace fs = std::filesystem;

namespace {

const std::string kOutOption = "--out";
const std::string kTemplatesOption = "--templates";
const std::string kReportOption = "--report";

bool isHelpRequest(const std::string& argument) { return argument == "--help" || argument == "-h" || argument == "/?"; }

bool isGraphicsSwitch(const std::string& argument) { return argument == "/g1" || argument == "/g2"; }

// A name that begins with "-" is a path only where such a file or folder is there, found
// as the run would find it.
bool isUnknownOption(const std::string& argument) {
    if (argument.empty() || argument[0] != '-') return false;
    std::error_code error;
    return !fs::exists(findScenarioFile(pathFromUtf8(argument)), error);
}

RunRequest answer(RunRequest::Kind kind, std::string message = {}) {
    RunRequest request;
    request.kind = kind;
    request.message = std::move(message);
    return request;
}

// The usage of an option that names a folder (or a file), for a command line that gives it
// none or no path.
std::string folderOptionUsage(const std::string& option, const std::string& folder) {
    return "USAGE: Tavorel " + option + " <" + folder + "> <scenario file or folder>\n";
}

}  // namespace

RunRequest readRunRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return answer(RunRequest::Kind::HelpScreen);
    RunRequest request;
    bool outGiven = false;
    bool templatesGiven = false;
    bool reportGiven = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (isHelpRequest(argument)) return answer(RunRequest::Kind::Help);
        if (argument == "--version") return answer(RunRequest::Kind::Version);
        if (argument == "--quiet" || argument == "-q") {
            request.quiet = true;
        } else if (argument == kOutOption) {
            outGiven = true;
            if (++at < arguments.size()) request.outputFolder = pathFromUtf8(arguments[at]);
        } else if (argument == kTemplatesOption) {
            templatesGiven = true;
            if (++at < arguments.size()) request.templateFolder = arguments[at];
        } else if (argument == kReportOption) {
            reportGiven = true;
            if (++at < arguments.size()) request.reportFile = pathFromUtf8(arguments[at]);
        } else if (request.graphicsSwitch.empty() && isGraphicsSwitch(argument)) {
            request.graphicsSwitch = argument;
        } else if (isUnknownOption(argument)) {
            return answer(RunRequest::Kind::Usage, "Unknown option " + argument + "\n" + kUsageLine + "\n");
        } else {
            request.paths.push_back(argument);
        }
    }

    // An incomplete command line is answered with the usage of what it began. After an
    // option, an empty argument is no path; a graphics switch takes one folder.
    const std::vector<std::string>& paths = request.paths;
    const bool pathGiven = std::any_of(paths.begin(), paths.end(), [](const std::string& p) { return !p.empty(); });
    const std::string outUsage = folderOptionUsage(kOutOption, "output folder");
    const std::string templatesUsage = folderOptionUsage(kTemplatesOption, "folder of the destination's templates");
    if (outGiven && request.outputFolder.empty()) return answer(RunRequest::Kind::Usage, outUsage);
    if (templatesGiven && request.templateFolder.empty()) return answer(RunRequest::Kind::Usage, templatesUsage);
    const std::string reportUsage = folderOptionUsage(kReportOption, "report file");
    if (reportGiven && request.reportFile.empty()) return answer(RunRequest::Kind::Usage, reportUsage);
    if (!request.graphicsSwitch.empty() && (!pathGiven || paths.size() > 1)) {
        return answer(RunRequest::Kind::Usage,
                      "USAGE: Tavorel " + request.graphicsSwitch + " <folder of the scenario's bitmaps>\n");
    }
    if (outGiven && !pathGiven) return answer(RunRequest::Kind::Usage, outUsage);
    if (templatesGiven && !pathGiven) return answer(RunRequest::Kind::Usage, templatesUsage);
    if (reportGiven && !pathGiven) return answer(RunRequest::Kind::Usage, reportUsage);
    if (paths.empty()) return answer(RunRequest::Kind::Usage, std::string(kUsageLine) + "\n");
    return request;
}
