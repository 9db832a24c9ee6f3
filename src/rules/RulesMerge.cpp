#include "rules/RulesMerge.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/FailureReason.h"
#include "base/PathText.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesAlignment.h"
#include "rules/RulesMergePlan.h"
#include "rules/RulesPlanFit.h"
#include "rules/RulesText.h"
#include "rules/ScenarioSections.h"

namespace {

// The template's header lines by place, from what the survey kept.
std::vector<std::string> templateHeadersByPlace(ScenarioEdition edition, const PlanRunPieces& pieces) {
    std::vector<std::string> headers(kRulesPlaces);
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        if (kRulesMergePlan[row].runFor(edition).source != RulesSource::Template) continue;
        // Row r holds step r + 1: the template lines before it are those of steps 1 to r.
        const auto first =
            static_cast<std::size_t>(countedLinesThrough(edition, RulesSource::Template, static_cast<int>(row)));
        for (std::size_t i = 0; i < pieces[row].size() && first + i < kRulesPlaces; ++i) {
            if (isSectionHeader(pieces[row][i].text)) headers[first + i] = pieces[row][i].text;
        }
    }
    return headers;
}

// The plan's runs in order, each on its text from where the previous run on it stopped.
void mergeByPlan(ScenarioConverter& converter, RulesTextInput& scenarioRules, RulesTextOutput& output,
                 RulesTextInput& templateRules) {
    bool scenarioRanOut = false;
    bool templateRanOut = false;
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& run = kRulesMergePlan[row].runFor(converter.edition);
        const bool fromScenario = run.source == RulesSource::Scenario;
        RulesTextInput& source = fromScenario ? scenarioRules : templateRules;
        int result = kRulesRunComplete;
        switch (run.length) {
            case RunLength::Counted: result = converter.copyRulesSection(source, output, run.passOver, run.copy); break;
            case RunLength::CaravanSection:
                result = converter.copyRulesSection(source, output, run.passOver, converter.caravanLineCount);
                break;
            case RunLength::EveryRemainingLine: result = converter.copyRulesRest(source, output, run.passOver); break;
        }
        // A text that has ended gives the later runs on it nothing more to read.
        if (result != kRulesRunComplete) (fromScenario ? scenarioRanOut : templateRanOut) = true;
    }

    // One line for each text that ran out, however many runs came up short on it. A text whose
    // read failed is not short: its caller tells the failure, and writes no Rules.txt.
    auto warnWhenShort = [&converter](bool ranOut, const RulesTextInput& input) {
        if (!ranOut || input.readFailed()) return;
        converter.reportProblem("Warning: " + displayPath(input.path()) +
                                " has fewer lines than the rules conversion needs, the converted Rules.txt is "
                                "incomplete!");
    };
    warnWhenShort(scenarioRanOut, scenarioRules);
    warnWhenShort(templateRanOut, templateRules);
}

}  // namespace

// The plan's runs write the destination's rules text when the scenario's sections stand
// where the plan expects them, which a survey of both texts tells first; otherwise the
// text is written section by section. A template too short for the plan leaves nothing
// to align with: the plan writes what it can.
int ScenarioConverter::mergeRules(RulesTextInput& scenarioRules, RulesTextOutput& output,
                                  RulesTextInput& templateRules) {
    // One pass over the scenario finds its sections and the one run whose length varies
    // from scenario to scenario.
    rulesMerge = RulesMergeAccount{
        RulesMergeWay::ByPlan, displayPath(scenarioRules.path()), displayPath(templateRules.path()), {}};
    ScenarioSectionIndex sections;
    caravanLineCount = countCaravanLines(scenarioRules, &sections);
    const std::int32_t caravanRun = caravanLineCount < 0 ? 0 : caravanLineCount;  // -2 copies nothing

    PlanRunPieces templatePieces;
    const bool templateWhole = surveyTemplate(edition, templateRules, templatePieces);
    const int lastStep = static_cast<int>(kRulesMergePlan.size());
    const bool scenarioWhole =
        sections.countedLines() >= countedLinesThrough(edition, RulesSource::Scenario, lastStep, caravanRun);
    // A text with more sections than the index holds is not taken for one that fits.
    if (!templateWhole ||
        (scenarioWhole && sections.complete() && fitsPlan(edition, templatePieces, sections, caravanRun))) {
        scenarioRules.rewind();
        templateRules.rewind();
        mergeByPlan(*this, scenarioRules, output, templateRules);
        return 1;
    }

    const RulesAlignment alignment =
        alignSections(edition, templateHeadersByPlace(edition, templatePieces), sections, caravanLineCount);
    rulesMerge.way = RulesMergeWay::SectionBySection;
    rulesMerge.adjustments = alignmentAdjustments(
        alignment, sections, caravanLineCount,
        writeAlignedRules(edition, alignment, sections, caravanLineCount, scenarioRules, templateRules, output));
    // A text whose read failed lacks no section: its caller tells the failure, and writes no Rules.txt.
    if (scenarioRules.readFailed() || templateRules.readFailed()) return 1;
    for (const RulesAdjustment& adjustment : rulesMerge.adjustments) {
        const std::string line = adjustmentLine(adjustment, rulesMerge.scenarioPath, rulesMerge.templatePath);
        if (adjustment.isNote()) {
            reportNote(line);
        } else {
            reportProblem(line);
        }
    }
    return 1;
}

Outcome writeMergedRules(ScenarioConverter& converter, RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                         const std::filesystem::path& outputPath) {
    RulesTextOutput output(outputPath);
    if (!output.isOpen()) {
        return Outcome::failure("could not create " + displayPath(outputPath) + output.failureReason());
    }
    converter.mergeRules(scenarioRules, output, templateRules);
    // The merge reads as the plan says and stops quietly at the end of a text; whether that
    // end was the file's own is told by its reader.
    for (const RulesTextInput* input : {&scenarioRules, &templateRules}) {
        if (input->readFailed()) {
            output.discard();
            return Outcome::failure("could not read " + displayPath(input->path()) +
                                    failureReason(input->path(), input->readError()));
        }
    }
    if (!output.close()) return Outcome::failure("could not write " + displayPath(outputPath) + output.failureReason());
    return Outcome::success();
}
