#include "kit/RulesSample.h"

#include <functional>

#include "kit/Random.h"

namespace {

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
    // The lines after a "@TERRAIN" header must hold commas: no empty lines there.
    void keepQuiet(int lines) { quietLines_ = lines; }
    void comment(const std::string& line) { text_ += line + "\n"; }

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
};

std::string valueLine(RulesWriter& writer, const std::string& label, int number) {
    std::string line = label + " " + std::to_string(number) + ", " + std::to_string(writer.number(100)) +
                       ", " + std::to_string(writer.number(10)) + "   ; " + label;
    if (writer.number(9) == 0) line = "  " + line;  // a counted line that begins with a blank
    return line;
}

// Header names at the counted line numbers where they stand; `terrainLine` marks the
// one "@TERRAIN" header.
void writeSection(RulesWriter& writer, int upToLine, const std::function<std::string(int)>& header,
                  int probeLines, int terrainLine) {
    while (writer.counted() < upToLine) {
        const int number = writer.counted() + 1;
        std::string line = header(number);
        if (line.empty()) line = valueLine(writer, "Item", number);
        writer.countedLine(line, number > probeLines);
        if (number == terrainLine) {
            writer.keepQuiet(12);
        } else if (number == terrainLine + 2) {
            writer.comment("; terrain, food, shields, trade");
        }
    }
}

}  // namespace

int scenarioRulesCaravanLine(ScenarioEdition edition) {
    switch (edition) {
        case Classic: return 335;
        case Conflicts: return 336;
        case FantasticWorlds: return 351;
    }
    return 336;
}

std::string makeScenarioRules(const ScenarioRulesOptions& options) {
    RulesWriter writer(options.seed);
    const int civilizeLine = options.edition == Classic ? 23 : 24;
    const int caravanLine = scenarioRulesCaravanLine(options.edition);
    const int ordersLine = caravanLine + options.caravanLines + 1;
    constexpr int kProbeLines = 24;
    constexpr int kTerrainLine = 200;
    auto header = [&](int number) -> std::string {
        if (number == 1) return "@COSMIC";
        if (number == civilizeLine) return "@CIVILIZE";
        if (number == 120) return "@GOVERNMENTS";
        if (number == 150) return "@UNITS";
        if (number == kTerrainLine) return "@TERRAIN";
        if (number == 260) return "@IMPROVE";
        if (number == caravanLine) return "@CARAVAN";
        if (number == ordersLine) return "@ORDERS";
        return {};
    };
    writeSection(writer, ordersLine + 28 + 6, header, kProbeLines, kTerrainLine);
    return writer.take();
}

std::string makeTemplateRules(std::uint64_t seed) {
    RulesWriter writer(seed + 1000);
    auto header = [](int number) -> std::string {
        if (number == 1) return "@COSMIC";
        if (number == 23) return "@COSMIC2";
        if (number == 34) return "@CIVILIZE";
        if (number == 171) return "@LEADERS2";
        if (number == 290) return "@UNITS_ADVANCED";
        if (number == kTemplateRulesTerrainLine) return "@TERRAIN";
        if (number == 510) return "@ATTRIBUTES";
        if (number == 529) return "@LANDSCAPES";
        return {};
    };
    writeSection(writer, kTemplateRulesCountedLines, header, 0, kTemplateRulesTerrainLine);
    return writer.take();
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
