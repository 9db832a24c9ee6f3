#include "rules/RulesAdjustment.h"

std::string adjustmentLine(const RulesAdjustment& adjustment, const std::string& scenarioPath,
                           const std::string& templatePath) {
    const std::string check = "check the converted Rules.txt!";
    const std::string& name = adjustment.section;
    const std::string counts = scenarioPath + " has " + std::to_string(adjustment.has) + " lines in " + name +
                               " where the ";
    switch (adjustment.kind) {
        case RulesAdjustment::Kind::Fewer:
            return "Warning: " + counts + "conversion takes " + std::to_string(adjustment.takes) + "; the other " +
                   std::to_string(adjustment.takes - adjustment.has) + " come from " + templatePath + ", " + check;
        case RulesAdjustment::Kind::More:
            if (adjustment.isNote()) {
                return "Note: " + counts + "plan takes " + std::to_string(adjustment.takes) + "; the other " +
                       std::to_string(adjustment.placed) + " are on the destination's lines that follow.";
            }
            return "Warning: " + counts + "conversion takes " + std::to_string(adjustment.takes) + "; " +
                   std::to_string(adjustment.placed) + " placed on the lines that follow, " +
                   std::to_string(adjustment.leftOut) + " left out, " + check;
        case RulesAdjustment::Kind::Missing:
            return "Warning: " + scenarioPath + " has no " + name + "; it comes from " + templatePath + ", " + check;
        case RulesAdjustment::Kind::OutOfOrder:
            return "Warning: " + scenarioPath + " has " + name + " out of order, at its line " +
                   std::to_string(adjustment.lineNumber) + "; " + check;
        case RulesAdjustment::Kind::NotTaken:
            return "Warning: " + scenarioPath + " has " + name + " at its line " +
                   std::to_string(adjustment.lineNumber) + " that the conversion does not take; " + check;
    }
    return {};
}
