#include "driver/ScenarioConverter.h"

#include <ostream>

ScenarioConverter::ScenarioConverter(std::ostream& console) : console_(console) {}

void ScenarioConverter::reportProblem(const std::string& message) {
    console_ << message << '\n';
    problemReported_ = true;
}
