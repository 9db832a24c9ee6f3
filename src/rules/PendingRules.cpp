// Placeholder until the rules merge lands.
#include "driver/ScenarioConverter.h"
int ScenarioConverter::mergeRules(RulesTextInput&, RulesTextOutput&, RulesTextInput&) { return 1; }
