#include <ostream>

#include "driver/ScenarioConverter.h"
#include "driver/Version.h"

int ScenarioConverter::printScenarioInfo() {
    std::ostream& out = console();
    out << kVersionLine << "\n";
    out << "Scenario File: " << scenarioName << "\n";
    switch (edition) {
        case Classic: out << "Civ2 Classic Scenario Detected!\n"; break;
        case Conflicts: out << "Civ2 Conflict Scenario Detected!\n"; break;
        case FantasticWorlds: out << "Fantastic Worlds Scenario Detected!\n"; break;
    }
    out << "Map Size:" << mapHalfWidth * 2 << "x" << mapHeight << "\n";
    out << "Total Units:" << unitCount << "\n";
    out << "Total Cities:" << cityCount << "\n";
    return 1;
}
