#include <cstdint>
#include <string>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"

namespace {

// The destination format carries an extra terrain field, "no,", last on the first lines
// of its terrain section; the scenario editions lack it.
const char* const kTerrainHeader = "@TERRAIN\n";
constexpr int kTerrainLinesMarked = 11;
const char* const kNoSection = "@NONE";

void keepPiece(std::vector<RulesPiece>* countedPieces, const RulesTextInput& input, const std::string& piece) {
    if (countedPieces != nullptr) countedPieces->push_back({input.lineNumber(), piece});
}

// Drops lines until `skipCount` counted lines have gone by. Lines that do not count and
// follow the last of them stay in the stream for the copy that comes next. False when
// the text ends first.
bool passOverCountedLines(RulesTextInput& input, std::int32_t skipCount, std::size_t capacity,
                          std::vector<RulesPiece>* countedPieces) {
    std::string line;
    for (std::int32_t passed = 0; passed < skipCount;) {
        if (!input.readPiece(line, capacity)) return false;
        if (!isCountedLine(line)) continue;
        ++passed;
        keepPiece(countedPieces, input, line);
    }
    return true;
}

}  // namespace

// Stops directly after writing its last counted line, so that the comment and empty lines
// after it are left to the next call on the same stream.
int ScenarioConverter::copyRulesSection(RulesTextInput& input, RulesTextOutput& output,
                                        std::int32_t skipCount, std::int32_t copyCount,
                                        std::vector<RulesPiece>* countedPieces) {
    if (!passOverCountedLines(input, skipCount, kSectionLineCapacity, countedPieces)) {
        return kRulesTextEndedEarly;
    }

    // Only headers read while copying set the section: a call that passes over the
    // terrain header, or starts inside that section, marks nothing.
    std::string section = kNoSection;
    int linesMarked = 0;
    std::string line;
    for (std::int32_t copied = 0; copied < copyCount;) {
        if (!input.readPiece(line, kSectionLineCapacity)) return kRulesTextEndedEarly;
        // The count of marked lines runs on through a second terrain header in the same call.
        if (section == kTerrainHeader && linesMarked < kTerrainLinesMarked) {
            output.write(withNoAsLastField(line));
            ++linesMarked;
        } else {
            output.write(line);
        }
        if (isCountedLine(line)) {
            ++copied;
            keepPiece(countedPieces, input, line);
        }
        // A header line is itself still written under the section before it.
        if (isSectionHeader(line)) section = line;
    }
    return kRulesRunComplete;
}

// The lines copied to the end are not kept: they may be many, and nothing pairs with them.
int ScenarioConverter::copyRulesRest(RulesTextInput& input, RulesTextOutput& output,
                                     std::int32_t skipCount, std::vector<RulesPiece>* countedPieces) {
    if (!passOverCountedLines(input, skipCount, kRestLineCapacity, countedPieces)) {
        return kRulesTextEndedEarly;
    }
    std::string line;
    while (input.readPiece(line, kRestLineCapacity)) output.write(line);
    return kRulesRunComplete;
}
