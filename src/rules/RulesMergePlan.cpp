#include "rules/RulesMergePlan.h"

#include <cstdint>
#include <string>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"

// The plan's runs: each passes over counted lines of its text, then copies counted lines
// (or every line left) to the output.

namespace {

void keepPiece(std::vector<RulesPiece>* countedPieces, const RulesTextInput& input, const std::string& piece) {
    if (countedPieces != nullptr) countedPieces->push_back({input.lineNumber(), piece});
}

}  // namespace

std::size_t lineCapacity(const RulesRun& run) {
    return run.length == RunLength::EveryRemainingLine ? kRestLineCapacity : kSectionLineCapacity;
}

bool passOverCountedLines(RulesTextInput& input, std::int32_t count, std::size_t capacity,
                          std::vector<RulesPiece>* countedPieces) {
    std::string line;
    for (std::int32_t passed = 0; passed < count;) {
        if (!input.readPiece(line, capacity)) return false;
        if (!isCountedLine(line, input.pieceInBlankLine())) continue;
        ++passed;
        keepPiece(countedPieces, input, line);
    }
    return true;
}

// Stops directly after writing its last counted line, so that the comment and empty lines
// after it are left to the next call on the same stream.
int ScenarioConverter::copyRulesSection(RulesTextInput& input, RulesTextOutput& output, std::int32_t skipCount,
                                        std::int32_t copyCount, std::vector<RulesPiece>* countedPieces) {
    if (!passOverCountedLines(input, skipCount, kSectionLineCapacity, countedPieces)) {
        return kRulesTextEndedEarly;
    }

    TerrainMarking marking;
    std::string line;
    for (std::int32_t copied = 0; copied < copyCount;) {
        if (!input.readPiece(line, kSectionLineCapacity)) return kRulesTextEndedEarly;
        output.write(marking.written(line));
        if (isCountedLine(line, input.pieceInBlankLine())) {
            ++copied;
            keepPiece(countedPieces, input, line);
        }
    }
    return kRulesRunComplete;
}

// The lines copied to the end are not kept: they may be many, and nothing pairs with them.
int ScenarioConverter::copyRulesRest(RulesTextInput& input, RulesTextOutput& output, std::int32_t skipCount,
                                     std::vector<RulesPiece>* countedPieces) {
    if (!passOverCountedLines(input, skipCount, kRestLineCapacity, countedPieces)) {
        return kRulesTextEndedEarly;
    }
    std::string line;
    while (input.readPiece(line, kRestLineCapacity)) output.write(line);
    return kRulesRunComplete;
}
