#include "report/ReportPage.h"

#include <array>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <system_error>

#include "base/PathText.h"
#include "base/ReplacingOutput.h"
#include "report/FileLink.h"
#include "report/HtmlWriter.h"
#include "report/RulesLineText.h"
#include "report/RunReport.h"

namespace fs = std::filesystem;

namespace {

const char kHead[] =
    "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
    "<meta http-equiv=\"Content-Security-Policy\" "
    "content=\"default-src 'none'; img-src * file:; style-src 'unsafe-inline'\">"
    "<meta name=\"viewport\" content=\"width=device-width\">";

const char kStyle[] =
    "<style>"
    "body{font:14px/1.45 system-ui,sans-serif;margin:24px;color:#1d1d1d;background:#fff}"
    "h1{font-size:22px;margin:0 0 12px}h2{font-size:18px;margin:32px 0 8px;padding-top:12px;"
    "border-top:2px solid #bbb;overflow-wrap:anywhere}h3{font-size:15px;margin:18px 0 6px}"
    "table{border-collapse:collapse;margin:4px 0}th,td{border:1px solid #ccc;padding:2px 8px;text-align:left;"
    "vertical-align:top}th{background:#f2f2f2;font-weight:600}td.number{text-align:right}"
    ".status{display:inline-block;padding:0 8px;border-radius:4px;font-weight:600}"
    ".complete{background:#d5efd5}.with-notes{background:#d9e6f7}.with-problems{background:#f7e3bf}"
    ".refused{background:#f3c9c9}"
    ".messages{list-style:none;padding:0;margin:4px 0}.messages li,.line,.path{font-family:ui-monospace,monospace;"
    "white-space:pre-wrap;overflow-wrap:anywhere}.messages li.problem{color:#8a1c00}.messages li.note{color:#0a3d7a}"
    ".pictures{display:flex;flex-direction:column;gap:14px}"
    ".pair{display:flex;gap:14px;align-items:flex-start;overflow-x:auto;padding:8px;border:1px solid #ddd}"
    "figure{margin:0}figcaption{font-size:12px;font-family:ui-monospace,monospace;overflow-wrap:anywhere;"
    "max-width:640px}img{display:block;border:1px solid #999;image-rendering:pixelated}"
    ".adjustment{margin:10px 0;padding:6px 10px;border-left:4px solid #d28b00;background:#fffaf0}"
    ".adjustment.note{border-left-color:#2f6db5;background:#f4f8fd}.adjustment p{margin:2px 0}"
    "td.line{white-space:pre}.none{color:#666}"
    "</style>";

// How each status shows: its words and the class that colours them, in the order of ScenarioStatus.
struct StatusLook {
    const char* words;
    const char* htmlClass;
};
constexpr std::array<StatusLook, 4> kStatusLooks{{
    {"complete", "status complete"},
    {"with notes", "status with-notes"},
    {"with problems", "status with-problems"},
    {"refused", "status refused"},
}};
static_assert(static_cast<std::size_t>(ScenarioStatus::Refused) + 1 == kStatusLooks.size(), "a look for each status");

const StatusLook& lookOf(ScenarioStatus status) { return kStatusLooks[static_cast<std::size_t>(status)]; }

const char* editionName(ScenarioEdition edition) {
    switch (edition) {
        case Classic: return "Civ2 Classic";
        case Conflicts: return "Civ2 Conflict";
        case FantasticWorlds: return "Fantastic Worlds";
    }
    return "";
}

const char* fateWords(AdjustedLine::Fate fate) {
    switch (fate) {
        case AdjustedLine::Fate::Placed: return "placed on a line that follows";
        case AdjustedLine::Fate::LeftOut: return "left out";
        case AdjustedLine::Fate::FromTemplate: return "from the template";
    }
    return "";
}

std::string anchorOf(std::size_t index) { return "scenario-" + std::to_string(index + 1); }

std::string sizeOf(const ScenarioConverter::PictureShown& picture) {
    return std::to_string(picture.width) + " \u00d7 " + std::to_string(picture.height);
}

std::string linesBetween(const RulesLineSpan& span) {
    if (span.first == span.last) return "line " + std::to_string(span.first);
    return "lines " + std::to_string(span.first) + " to " + std::to_string(span.last);
}

class Page {
public:
    Page(std::ostream& out, const fs::path& pageFolder) : html_(out), pageFolder_(pageFolder) {}

    void write(const RunReport& report) {
        html_.markup(kHead);
        html_.element("title", "Tavorel report: " + (report.paths.empty() ? std::string() : report.paths.front()));
        html_.markup(kStyle);
        html_.markup("</head><body>");
        html_.element("h1", "Conversion report");
        writeRun(report);
        if (report.kind == RunReport::Kind::Folder) writeContents(report);
        if (!report.messages.empty()) {
            html_.element("h2", "Messages of the run");
            writeMessages(report.messages);
        }
        for (std::size_t k = 0; k < report.scenarios.size(); ++k) writeScenario(report, k);
        html_.markup("</body></html>\n");
    }

private:
    void row(std::string_view heading, std::string_view value) {
        html_.open("tr");
        html_.element("th", heading);
        html_.element("td", value);
        html_.close("tr");
    }

    void writeRun(const RunReport& report) {
        html_.open("table", {{"class", "run"}});
        row("Tool", report.version);
        const bool graphicsOnly = report.kind == RunReport::Kind::GraphicsOnly;
        for (const std::string& path : report.paths) row(graphicsOnly ? "Pictures in" : "Converted", path);
        if (graphicsOnly) {
            row("Pictures of", report.graphicsSwitch == "/g2" ? "a Fantastic Worlds scenario (/g2)"
                                                              : "a Civ2 Classic or Civ2 Conflict scenario (/g1)");
        }
        row("Templates", report.templateFolder);
        row("Date", report.date);
        html_.close("table");
    }

    void writeContents(const RunReport& report) {
        std::array<std::size_t, 4> counts{};
        for (const ScenarioReport& scenario : report.scenarios) ++counts[static_cast<std::size_t>(scenario.status)];
        html_.element("h2", "Scenarios");
        html_.element("p", std::to_string(report.scenarios.size()) + " scenarios: " + std::to_string(counts[0]) +
                               " complete, " + std::to_string(counts[1]) + " with notes, " + std::to_string(counts[2]) +
                               " with problems, " + std::to_string(counts[3]) + " refused");
        html_.open("table", {{"class", "contents"}});
        html_.open("tr");
        html_.element("th", "");
        html_.element("th", "Scenario");
        html_.element("th", "Status");
        html_.close("tr");
        for (std::size_t k = 0; k < report.scenarios.size(); ++k) {
            const ScenarioReport& scenario = report.scenarios[k];
            html_.open("tr");
            html_.element("td", std::to_string(k + 1), {{"class", "number"}});
            html_.open("td", {{"class", "path"}});
            html_.element("a", scenario.path, {{"href", "#" + anchorOf(k)}});
            html_.close("td");
            html_.open("td");
            html_.element("span", lookOf(scenario.status).words, {{"class", lookOf(scenario.status).htmlClass}});
            html_.close("td");
            html_.close("tr");
        }
        html_.close("table");
    }

    // Each line of each message as the console printed it.
    void writeMessages(const std::vector<RunMessage>& messages) {
        html_.open("ul", {{"class", "messages"}});
        for (const RunMessage& message : messages) {
            const char* kind = message.severity == RunMessage::Severity::Note ? "note" : "problem";
            for (std::size_t at = 0; at < message.lines.size();) {
                std::size_t end = message.lines.find('\n', at);
                if (end == std::string::npos) end = message.lines.size();
                html_.element("li", std::string_view(message.lines).substr(at, end - at), {{"class", kind}});
                at = end + 1;
            }
        }
        html_.close("ul");
    }

    void writeScenario(const RunReport& report, std::size_t index) {
        const ScenarioReport& scenario = report.scenarios[index];
        const std::string anchor = anchorOf(index);
        html_.open("section", {{"id", anchor}});
        html_.element("h2", scenario.path);
        html_.open("p");
        html_.element("span", lookOf(scenario.status).words, {{"class", lookOf(scenario.status).htmlClass}});
        html_.close("p");
        html_.element("h3", "Messages");
        if (scenario.messages.empty()) {
            html_.element("p", "None.", {{"class", "none"}});
        } else {
            writeMessages(scenario.messages);
        }
        if (scenario.profiled) {
            html_.element("p", std::string(editionName(scenario.edition)) + " scenario, map " +
                                   std::to_string(scenario.mapWidth) + " \u00d7 " + std::to_string(scenario.mapHeight) +
                                   ", " + std::to_string(scenario.units) + " units, " +
                                   std::to_string(scenario.cities) + " cities.");
        }
        if (scenario.rules.way != RulesMergeWay::NotMerged) writeRules(scenario.rules);
        if (!scenario.pictures.empty()) writePictures(scenario);
        if (!scenario.outputs.empty()) writeOutputs(scenario);
        html_.close("section");
    }

    void writeOutputs(const ScenarioReport& scenario) {
        html_.element("h3", "Files written");
        html_.open("table");
        html_.open("tr");
        html_.element("th", "File");
        html_.element("th", "Bytes");
        html_.element("th", "Copied from");
        html_.close("tr");
        for (const ReportedOutput& output : scenario.outputs) {
            html_.open("tr");
            html_.element("td", displayPath(output.path), {{"class", "path"}});
            html_.element("td", output.bytes < 0 ? std::string("?") : std::to_string(output.bytes),
                          {{"class", "number"}});
            html_.element("td", output.copiedFrom.empty() ? std::string("(converted)") : displayPath(output.copiedFrom),
                          {{"class", "path"}});
            html_.close("tr");
        }
        html_.close("table");
    }

    void writePicture(const ScenarioConverter::PictureShown& picture, const char* role) {
        const std::string path = displayPath(picture.path);
        html_.open("figure");
        html_.open("img", {{"src", fileLink(pageFolder_, picture.path)}, {"alt", std::string(role) + path}});
        html_.element("figcaption", role + path + ", " + sizeOf(picture));
        html_.close("figure");
    }

    // Each converted picture beside the picture it was made from (for Improvements.bmp: its
    // template), both at their natural size.
    void writePictures(const ScenarioReport& scenario) {
        html_.element("h3", "Pictures");
        html_.open("div", {{"class", "pictures"}});
        for (const ScenarioConverter::ConvertedPicture& picture : scenario.pictures) {
            html_.open("div", {{"class", "pair"}});
            writePicture(picture.from, "");
            writePicture(picture.converted, "\u2192 ");
            html_.close("div");
        }
        html_.close("div");
    }

    void writeLine(const AdjustedLine& line) {
        html_.open("tr");
        html_.element("td", line.scenarioLine > 0 ? std::to_string(line.scenarioLine) : std::string(),
                      {{"class", "number"}});
        html_.element("td", line.convertedLine > 0 ? std::to_string(line.convertedLine) : std::string(),
                      {{"class", "number"}});
        html_.element("td", fateWords(line.fate));
        html_.element("td", rulesLineText(line.text), {{"class", "line"}});
        html_.close("tr");
    }

    void writeAdjustment(const RulesMergeAccount& rules, const RulesAdjustment& adjustment) {
        html_.open("div", {{"class", adjustment.isNote() ? "adjustment note" : "adjustment"}});
        html_.element("p", adjustmentLine(adjustment, rules.scenarioPath, rules.templatePath));
        if (adjustment.scenarioLines.first > 0) {
            html_.element("p", "In " + rules.scenarioPath + ": " + linesBetween(adjustment.scenarioLines) + ".");
        }
        if (adjustment.convertedLines.first > 0) {
            html_.element("p", "In the converted Rules.txt: " + linesBetween(adjustment.convertedLines) + ".");
        }
        const AdjustedLines& lines = adjustment.lines;
        if (lines.count() > 0) {
            html_.open("table", {{"class", "lines"}});
            html_.open("tr");
            html_.element("th", "Scenario's line");
            html_.element("th", "Converted line");
            html_.element("th", "");
            html_.element("th", "Text");
            html_.close("tr");
            for (const AdjustedLine& line : lines.first()) writeLine(line);
            if (lines.notKept() > 0) {
                html_.open("tr");
                html_.element("td", "\u2026 " + std::to_string(lines.notKept()) + " lines more \u2026",
                              {{"colspan", "4"}, {"class", "none"}});
                html_.close("tr");
            }
            for (const AdjustedLine& line : lines.last()) writeLine(line);
            html_.close("table");
        }
        html_.close("div");
    }

    void writeRules(const RulesMergeAccount& rules) {
        html_.element("h3", "Rules.txt");
        html_.element("p", rules.way == RulesMergeWay::ByPlan
                               ? "Merged by the plan."
                               : "Merged section by section: the scenario's sections do not fit the plan.");
        html_.element("p", "From " + rules.scenarioPath + " and the template " + rules.templatePath + ".");
        for (const RulesAdjustment& adjustment : rules.adjustments) writeAdjustment(rules, adjustment);
    }

    HtmlWriter html_;
    const fs::path& pageFolder_;
};

bool isReportPage(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char start[sizeof kHead - 1] = {};
    return in.read(start, sizeof start) && std::memcmp(start, kHead, sizeof start) == 0;
}

}  // namespace

Outcome writeRunReport(const RunReport& report, const fs::path& file) {
    std::error_code error;
    if (fs::is_regular_file(file, error) && !isReportPage(file)) {
        return Outcome::failure(displayPath(file) + " is no report of an earlier run");
    }
    ReplacingOutput output(file);
    if (!output.isOpen()) return Outcome::failure("could not create " + displayPath(file) + output.failureReason());
    Page(output.stream(), file.parent_path()).write(report);
    if (!output.commit()) return Outcome::failure("could not write " + displayPath(file) + output.failureReason());
    return Outcome::success();
}
