#include "rules/ScenarioSections.h"

#include "rules/SectionWord.h"

bool ScenarioSectionIndex::readOn(RulesTextInput& input, std::int64_t countedLines, const CountedSeen& seen) {
    std::string piece;
    while (counted_ < countedLines) {
        if (!input.readPiece(piece, kSectionLineCapacity)) return false;
        if (!isCountedLine(piece, input.pieceIsWholeLine())) continue;
        if (isSectionHeader(piece) && sections_.size() < kMaxScenarioSections) {
            sections_.push_back({headerWord(piece), input.lineNumber(), counted_, 0, afterLastCounted_});
        } else {
            ++sections_.back().lines;
        }
        if (seen) seen(counted_, RulesPiece{input.lineNumber(), piece});
        ++counted_;
        afterLastCounted_ = input.position();
    }
    return true;
}
