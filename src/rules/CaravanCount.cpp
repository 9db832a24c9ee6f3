#include <string>

#include "driver/ScenarioConverter.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"

namespace {
const char* const kCaravanHeader = "@CARAVAN\n";
const char* const kOrdersHeader = "@ORDERS\n";
constexpr int kBothHeaders = 2;  // the two header lines count themselves
}  // namespace

// Counted lines strictly between the "@CARAVAN" header and the first "@ORDERS" header
// after it: -2 when "@ORDERS" comes first or the text ends before an "@ORDERS" line.
// The stream is left at its first line again.
int ScenarioConverter::countCaravanLines(RulesTextInput& scenarioRules) {
    bool started = false;
    bool ordersFound = false;
    int count = 0;
    std::string line;
    while (!ordersFound && scenarioRules.readPiece(line, kSectionLineCapacity)) {
        if (line == kCaravanHeader) started = true;
        if (started && isCountedLine(line, scenarioRules.pieceIsWholeLine())) ++count;
        ordersFound = line == kOrdersHeader;
    }
    scenarioRules.rewind();
    return ordersFound ? count - kBothHeaders : -kBothHeaders;
}
