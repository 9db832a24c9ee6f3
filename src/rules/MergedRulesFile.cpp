#include "rules/MergedRulesFile.h"

#include "base/PathText.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"

Outcome writeMergedRules(ScenarioConverter& converter, RulesTextInput& scenarioRules,
                         RulesTextInput& templateRules, const std::filesystem::path& outputPath) {
    RulesTextOutput output(outputPath);
    if (!output.isOpen()) return Outcome::failure("could not create " + displayPath(outputPath));
    converter.mergeRules(scenarioRules, output, templateRules);
    // The merge reads as the plan says and stops quietly at the end of a text; whether that
    // end was the file's own is told by its reader.
    for (const RulesTextInput* input : {&scenarioRules, &templateRules}) {
        if (input->readFailed()) {
            output.discard();
            return Outcome::failure("could not read " + displayPath(input->path()));
        }
    }
    if (!output.close()) return Outcome::failure("could not write " + displayPath(outputPath));
    return Outcome::success();
}
