#include "driver/ScenarioConverter.h"
#include "rules/CaravanCounter.h"
#include "rules/RulesText.h"

// Reads up to the first "@ORDERS" line; the stream is left at its first line again.
int ScenarioConverter::countCaravanLines(RulesTextInput& scenarioRules) {
    CaravanCounter counter;
    RulesPieceView piece;
    while (!counter.done() && scenarioRules.skimPiece(piece, kSectionLineCapacity)) {
        counter.see(piece, isCountedLine(piece));
    }
    scenarioRules.rewind();
    return counter.result();
}
