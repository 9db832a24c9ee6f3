#include "driver/RunRequest.h"

#include "base/PathText.h"

#include <utility>

#include "driver/HelpScreen.h"

namespace {

const std::string kOutOption = "--out";
const std::string kReportOption = "--report";

bool isHelpRequest(const std::string& argument) {
    return argument == "--help" || argument == "-h" || argument == "/?";
}

bool isGraphicsSwitch(const std::string& argument) { return argument == "/g1" || argument == "/g2"; }

RunRequest answer(RunRequest::Kind kind, std::string message = {}) {
    RunRequest request;
    request.kind = kind;
    request.message = std::move(message);
    return request;
}

}  // namespace

RunRequest readRunRequest(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return answer(RunRequest::Kind::HelpScreen);
    RunRequest request;
    bool outGiven = false;
    bool reportGiven = false;
    std::size_t at = 0;
    for (; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (isHelpRequest(argument)) return answer(RunRequest::Kind::Help);
        if (argument == "--version") return answer(RunRequest::Kind::Version);
        if (argument == "--quiet" || argument == "-q") {
            request.quiet = true;
        } else if (argument == kOutOption) {
            outGiven = true;
            if (++at < arguments.size()) request.outputFolder = pathFromUtf8(arguments[at]);
        } else if (argument == kReportOption) {
            reportGiven = true;
            if (++at < arguments.size()) request.reportFile = pathFromUtf8(arguments[at]);
        } else if (request.graphicsSwitch.empty() && isGraphicsSwitch(argument)) {
            request.graphicsSwitch = argument;
        } else if (argument.rfind("--", 0) == 0) {
            return answer(RunRequest::Kind::Usage, "Unknown option " + argument + "\n" + kUsageLine + "\n");
        } else {
            break;
        }
    }

    // An incomplete command line is answered with the usage of what it began. After --out
    // or a switch, an empty argument is no path.
    const bool pathGiven = at < arguments.size() && !arguments[at].empty();
    const std::string outUsage = "USAGE: Tavorel " + kOutOption + " <output folder> <scenario file or folder>\n";
    if (outGiven && request.outputFolder.empty()) return answer(RunRequest::Kind::Usage, outUsage);
    const std::string reportUsage = "USAGE: Tavorel " + kReportOption + " <report file> <scenario file or folder>\n";
    if (reportGiven && request.reportFile.empty()) return answer(RunRequest::Kind::Usage, reportUsage);
    if (!request.graphicsSwitch.empty() && !pathGiven) {
        return answer(RunRequest::Kind::Usage,
                      "USAGE: Tavorel " + request.graphicsSwitch + " <folder of the scenario's bitmaps>\n");
    }
    if (outGiven && !pathGiven) return answer(RunRequest::Kind::Usage, outUsage);
    if (reportGiven && !pathGiven) return answer(RunRequest::Kind::Usage, reportUsage);
    if (at == arguments.size()) return answer(RunRequest::Kind::Usage, std::string(kUsageLine) + "\n");
    request.path = arguments[at];
    request.target = pathFromUtf8(request.path);
    return request;
}
