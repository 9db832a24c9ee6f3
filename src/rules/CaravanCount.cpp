#include <string>

#include "driver/ScenarioConverter.h"
#include "rules/CaravanCounter.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"

// Reads up to the first "@ORDERS" line; the stream is left at its first line again.
int ScenarioConverter::countCaravanLines(RulesTextInput& scenarioRules) {
    CaravanCounter counter;
    std::string line;
    while (!counter.done() && scenarioRules.readPiece(line, kSectionLineCapacity)) {
        counter.see(line, isCountedLine(line, scenarioRules.pieceIsWholeLine()));
    }
    scenarioRules.rewind();
    return counter.result();
}
