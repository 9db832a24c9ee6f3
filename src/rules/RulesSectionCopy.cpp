#include <cstdint>
#include <string>

#include "driver/ScenarioConverter.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"

namespace {

// The destination format marks the first lines of its terrain section with an extra
// "no," field; the scenario editions lack it.
const char* const kTerrainHeader = "@TERRAIN\n";
constexpr int kTerrainLinesMarked = 11;
const char* const kNoSection = "@NONE";

// Drops lines until `skipCount` counted lines have gone by. Lines that do not count and
// follow the last of them stay in the stream for the copy that comes next. False when
// the text ends first.
bool passOverCountedLines(RulesTextInput& input, std::int32_t skipCount, std::size_t capacity) {
    std::string line;
    for (std::int32_t passed = 0; passed < skipCount;) {
        if (!input.readPiece(line, capacity)) return false;
        if (isCountedLine(line)) ++passed;
    }
    return true;
}

}  // namespace

// Stops directly after writing its last counted line, so that the comment and empty lines
// after it are left to the next call on the same stream.
int ScenarioConverter::copyRulesSection(RulesTextInput& input, RulesTextOutput& output,
                                        std::int32_t skipCount, std::int32_t copyCount) {
    if (!passOverCountedLines(input, skipCount, kSectionLineCapacity)) return kRulesTextEndedEarly;

    // Only headers read while copying set the section: a call that passes over the
    // terrain header, or starts inside that section, marks nothing.
    std::string section = kNoSection;
    int linesMarked = 0;
    std::string line;
    for (std::int32_t copied = 0; copied < copyCount;) {
        if (!input.readPiece(line, kSectionLineCapacity)) return kRulesTextEndedEarly;
        // The count of marked lines runs on through a second terrain header in the same call.
        if (section == kTerrainHeader && linesMarked < kTerrainLinesMarked) {
            output.write(withNoAfterFirstComma(line));
            ++linesMarked;
        } else {
            output.write(line);
        }
        if (isCountedLine(line)) ++copied;
        // A header line is itself still written under the section before it.
        if (isSectionHeader(line)) section = line;
    }
    return kRulesRunComplete;
}

int ScenarioConverter::copyRulesRest(RulesTextInput& input, RulesTextOutput& output,
                                     std::int32_t skipCount) {
    if (!passOverCountedLines(input, skipCount, kRestLineCapacity)) return kRulesTextEndedEarly;
    std::string line;
    while (input.readPiece(line, kRestLineCapacity)) output.write(line);
    return kRulesRunComplete;
}
