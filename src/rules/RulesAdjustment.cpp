#include "rules/RulesAdjustment.h"

void AdjustedLines::add(AdjustedLine::Fate fate, std::int64_t scenarioLine, std::int64_t convertedLine,
                        std::string_view text) {
    ++count_;
    std::vector<AdjustedLine>* kept = &first_;
    if (first_.size() == kKept) {
        kept = &last_;
        if (last_.size() == kKept) {
            // The oldest of the last lines makes room; its string keeps its memory.
            AdjustedLine& line = last_[next_];
            next_ = (next_ + 1) % kKept;
            line.fate = fate;
            line.scenarioLine = scenarioLine;
            line.convertedLine = convertedLine;
            line.text.assign(text.data(), text.size());
            return;
        }
    }
    kept->push_back({fate, scenarioLine, convertedLine, std::string(text)});
}

std::vector<AdjustedLine> AdjustedLines::last() const {
    std::vector<AdjustedLine> ordered(last_.begin() + static_cast<std::ptrdiff_t>(next_), last_.end());
    ordered.insert(ordered.end(), last_.begin(), last_.begin() + static_cast<std::ptrdiff_t>(next_));
    return ordered;
}

std::string adjustmentLine(const RulesAdjustment& adjustment, const std::string& scenarioPath,
                           const std::string& templatePath) {
    const std::string check = "check the converted Rules.txt!";
    const std::string& name = adjustment.section;
    const std::string counts = scenarioPath + " has " + std::to_string(adjustment.has) + " lines in " + name +
                               " where the ";
    switch (adjustment.kind) {
        case RulesAdjustment::Kind::Fewer:
            return "Warning: " + counts + "conversion takes " + std::to_string(adjustment.takes) + "; the other " +
                   std::to_string(adjustment.takes - adjustment.has) + " come from " + templatePath + ", " + check;
        case RulesAdjustment::Kind::More:
            if (adjustment.isNote()) {
                return "Note: " + counts + "plan takes " + std::to_string(adjustment.takes) + "; the other " +
                       std::to_string(adjustment.placed) + " are on the destination's lines that follow.";
            }
            return "Warning: " + counts + "conversion takes " + std::to_string(adjustment.takes) + "; " +
                   std::to_string(adjustment.placed) + " placed on the lines that follow, " +
                   std::to_string(adjustment.leftOut) + " left out, " + check;
        case RulesAdjustment::Kind::Missing:
            return "Warning: " + scenarioPath + " has no " + name + "; it comes from " + templatePath + ", " + check;
        case RulesAdjustment::Kind::OutOfOrder:
            return "Warning: " + scenarioPath + " has " + name + " out of order, at its line " +
                   std::to_string(adjustment.lineNumber) + "; " + check;
        case RulesAdjustment::Kind::NotTaken:
            return "Warning: " + scenarioPath + " has " + name + " at its line " +
                   std::to_string(adjustment.lineNumber) + " that the conversion does not take; " + check;
    }
    return {};
}
