#include "driver/RulesStep.h"

#include <ostream>

#include "base/FileCopy.h"
#include "base/FileLookup.h"
#include "base/Outcome.h"
#include "base/PathText.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesMerge.h"
#include "rules/RulesText.h"

namespace fs = std::filesystem;

void convertRulesStep(ScenarioConverter& converter, const fs::path& scenarioFolder) {
    std::ostream& console = converter.console();
    console << "Converting Rules.txt\n";
    RulesTextInput scenarioRules(findIgnoringCase(scenarioFolder, kRulesTextName));
    if (!scenarioRules.isOpen()) return;

    RulesTextInput templateRules(findIgnoringCase(converter.templateFolder, kRulesTextName));
    if (!templateRules.isOpen()) {
        converter.reportProblem("Error: template " + displayPath(templateRules.path()) +
                                " not found, Rules.txt not converted!");
        return;
    }
    const fs::path outputPath = converter.outputFolderFor(scenarioFolder) / kRulesTextName;
    if (isSameFile(templateRules.path(), outputPath)) {
        converter.reportProblem("Error: the template " + displayPath(templateRules.path()) +
                                " is the output file itself, Rules.txt not converted!");
        return;
    }
    // An output folder that is the scenario's own (linked back, or named with --out) would
    // have the merge replace the scenario's rules text.
    if (isSameFile(scenarioRules.path(), outputPath)) {
        converter.reportProblem("Error: " + displayPath(outputPath) +
                                " is the scenario's own rules text, Rules.txt not converted!");
        return;
    }
    if (const ScenarioConverter::Output* earlier = converter.outputAt(outputPath)) {
        converter.reportReplacement(scenarioRules.path(), "converted", *earlier);
        return;
    }
    const Outcome merged = writeMergedRules(converter, scenarioRules, templateRules, outputPath);
    if (!merged.ok()) {
        converter.reportProblem("Error: " + merged.problem() + "!");
        return;
    }
    converter.recordOutput(outputPath);
    console << "Done!\n";
}
