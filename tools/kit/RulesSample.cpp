#include "kit/RulesSample.h"

#include <cctype>
#include <iterator>
#include <map>

#include "kit/Random.h"
#include "rules/RulesMergePlan.h"

namespace {

// The template's sections by the counted line of their header. Those on lines that the
// plan copies from the template are the destination format's own; the others stand, in a
// scenario's rules, on the lines that the plan pairs with them.
struct SampleSection {
    int templateLine;
    const char* header;
};
// Laid out as the game's are: every section but the destination's own begins on a line
// that the plan fills from the scenario, and the lines that the plan copies from the
// template are the destination's extra lines at the end of a section (7 advances, 8 unit
// places, 11 or 10 cosmic lines) or sections of its own.
constexpr SampleSection kTemplateSections[] = {
    {1, "@COSMIC"},           {34, "@CIVILIZE"},    {135, "@LEADERS"},  // 23 lines
    {159, "@GOVERNMENTS"},    {172, "@IMPROVE"},    {210, "@ENDWONDER"},
    {233, "@UNITS"},                                 // 54 lines from a Classic or Conflicts scenario, then 8 of its own
    {296, "@UNITS_ADVANCED"},                        // the destination's own
    {314, "@TERRAIN"},        {348, "@ATTRIBUTES"},  // the destination's own
    {450, "@ATTITUDES"},      {482, "@CARAVAN"},     // the last line before the caravan section
    {499, "@ORDERS"},                                // the first line after it
    {511, "@DIFFICULTY"},     {529, "@LANDSCAPES"},  // the destination's own
};

constexpr int kProbeLines = 24;  // no ":" line before the edition probe's 23rd counted line
constexpr int kLinesBeyondTheMerge = 6;

// The 11 terrain lines that follow "@TERRAIN", with the code of each terrain.
struct SampleTerrain {
    const char* name;
    const char* code;
};
constexpr SampleTerrain kTerrains[] = {
    {"Desert", "Drt"}, {"Plains", "Pln"},    {"Grassland", "Grs"}, {"Forest", "For"},
    {"Hills", "Hil"},  {"Mountains", "Mou"}, {"Tundra", "Tun"},    {"Glacier", "Gla"},
    {"Swamp", "Swa"},  {"Jungle", "Jun"},    {"Ocean", "Ocn"},
};

// The scenario counted line that the plan puts in the place of `templateLine`, or 0 when
// no scenario line stands for it (the plan copies the template line).
int pairedScenarioLine(ScenarioEdition edition, int caravanLines, int templateLine) {
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        // Row r holds step r + 1: the counted lines before a run are those of the rows before it.
        const int templateFirst =
            countedLinesThrough(edition, RulesSource::Template, static_cast<int>(pair.templateRow)) +
            pair.firstPassedOver + 1;
        const int scenarioFirst =
            countedLinesThrough(edition, RulesSource::Scenario, static_cast<int>(pair.scenarioRow), caravanLines) + 1;
        if (templateLine >= templateFirst && templateLine < templateFirst + pair.lines) {
            return scenarioFirst + (templateLine - templateFirst);
        }
    }
    return 0;
}

// Writes counted lines one after the other and sprinkles uncounted lines between them.
class RulesWriter {
public:
    explicit RulesWriter(std::uint64_t seed) : random_(seed) {}

    // `colonLinesAllowed` is false before the edition probe's 23rd line.
    void countedLine(const std::string& line, bool colonLinesAllowed) {
        if (quietLines_ > 0) {
            --quietLines_;
        } else {
            uncountedLine(colonLinesAllowed);
        }
        text_ += line + "\n";
        ++counted_;
    }
    // Lines of blanks with tabs among them, in turn short, of the section reader's buffer
    // length, a character longer and far longer.
    void blankLine() {
        static constexpr std::size_t kLengths[] = {4, 179, 180, 200, 1000};
        std::string line(kLengths[blankLines_++ % std::size(kLengths)], ' ');
        for (std::size_t i = 3; i < line.size(); i += 8) line[i] = '\t';
        text_ += line + "\n";
    }
    // The terrain lines follow their header directly: nothing between them.
    void keepQuiet(int lines) { quietLines_ = lines; }

    int counted() const { return counted_; }
    std::uint32_t number(std::uint32_t bound) { return random_.below(bound); }
    std::string take() { return std::move(text_); }

private:
    void uncountedLine(bool colonLinesAllowed) {
        switch (random_.below(12)) {
            case 0: text_ += "; note " + std::to_string(counted_) + ", kept as it is\n"; break;
            case 1: text_ += "\n"; break;
            case 2:
                if (colonLinesAllowed) text_ += ": remark " + std::to_string(counted_) + ", 0\n";
                break;
            default: break;
        }
    }

    SampleRandom random_;
    std::string text_;
    int counted_ = 0;
    int quietLines_ = 0;
    std::size_t blankLines_ = 0;
};

std::string valueLine(RulesWriter& writer, const std::string& label, int number) {
    std::string line = label + " " + std::to_string(number) + ", " + std::to_string(writer.number(100)) + ", " +
                       std::to_string(writer.number(10)) + "   ; " + label;
    if (writer.number(9) == 0) line = "  " + line;  // a counted line that begins with a blank
    return line;
}

// A terrain line laid out as the game's are; the destination's carries "no," last.
std::string terrainLine(RulesWriter& writer, const SampleTerrain& terrain, bool destination) {
    auto digit = [&writer] { return std::to_string(writer.number(10)); };
    std::string line = std::string(terrain.name) + ",";
    line.resize(12, ' ');
    line += digit() + "," + digit() + ",  " + digit() + "," + digit() + "," + digit() + ",   yes, 1, " + digit() +
            ", " + digit() + ",   yes, 1, " + digit() + ",  " + digit() + ",  " + terrain.code + ",";
    return line + (destination ? "  no, ; " : "   ; ") + terrain.code;
}

// Counted lines 1 to `lines`: a header where `headers` has one, the terrain lines after
// "@TERRAIN", value lines labelled `label` and their number elsewhere.
std::string writeRules(std::uint64_t seed, int lines, const std::map<int, std::string>& headers,
                       const std::string& label, int probeLines, bool destination) {
    RulesWriter writer(seed);
    int terrainLinesLeft = 0;
    for (int number = 1; number <= lines; ++number) {
        const auto header = headers.find(number);
        std::string line;
        if (header != headers.end()) {
            line = header->second;
        } else if (terrainLinesLeft > 0) {
            line = terrainLine(writer, kTerrains[std::size(kTerrains) - static_cast<std::size_t>(terrainLinesLeft)],
                               destination);
            --terrainLinesLeft;
        } else {
            line = valueLine(writer, label, number);
        }
        writer.countedLine(line, number > probeLines);
        if (line == "@TERRAIN") {
            terrainLinesLeft = static_cast<int>(std::size(kTerrains));
            writer.keepQuiet(terrainLinesLeft);
        }
    }
    return writer.take();
}

}  // namespace

std::string makeScenarioRules(const ScenarioRulesOptions& options) {
    std::map<int, std::string> headers;
    for (const SampleSection& section : kTemplateSections) {
        const int line = pairedScenarioLine(options.edition, options.caravanLines, section.templateLine);
        if (line > 0) headers[line] = section.header;
    }
    const int lines = countedLinesThrough(options.edition, RulesSource::Scenario,
                                          static_cast<int>(kRulesMergePlan.size()), options.caravanLines) +
                      kLinesBeyondTheMerge;
    return writeRules(options.seed, lines, headers, "Item", kProbeLines, false);
}

std::vector<SampleRulesSection> planSections(ScenarioEdition edition, int caravanLines) {
    std::vector<SampleRulesSection> sections{{"", 0, 0}};
    for (std::size_t i = 0; i + 1 < std::size(kTemplateSections); ++i) {
        const SampleSection& section = kTemplateSections[i];
        if (pairedScenarioLine(edition, caravanLines, section.templateLine) == 0) continue;  // the destination's own
        int lines = 0;
        for (int line = section.templateLine + 1; line < kTemplateSections[i + 1].templateLine; ++line) {
            if (pairedScenarioLine(edition, caravanLines, line) > 0) ++lines;
        }
        sections.push_back({section.header, std::string(section.header) == "@CARAVAN" ? caravanLines : lines, 0});
    }
    return sections;
}

std::string writeSampleSections(const std::vector<SampleRulesSection>& sections, std::uint64_t seed) {
    RulesWriter writer(seed);
    for (const SampleRulesSection& section : sections) {
        std::string label;
        for (const char c : section.header.substr(section.header.empty() ? 0 : 1)) {
            label += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (!section.header.empty()) writer.countedLine(section.header, writer.counted() >= kProbeLines);
        if (section.header == "@TERRAIN") writer.keepQuiet(static_cast<int>(std::size(kTerrains)));
        for (int k = 1; k <= section.lines; ++k) {
            const bool terrain = section.header == "@TERRAIN" && k <= static_cast<int>(std::size(kTerrains));
            writer.countedLine(terrain ? terrainLine(writer, kTerrains[k - 1], false) : valueLine(writer, label, k),
                               writer.counted() >= kProbeLines);
            for (int b = 0; k == 1 && b < section.blankLines; ++b) writer.blankLine();
        }
    }
    return writer.take();
}

std::string makeTemplateRules(std::uint64_t seed) {
    std::map<int, std::string> headers;
    for (const SampleSection& section : kTemplateSections) headers[section.templateLine] = section.header;
    return writeRules(seed + 1000, kTemplateRulesCountedLines, headers, "Entry", 0, true);
}

std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
