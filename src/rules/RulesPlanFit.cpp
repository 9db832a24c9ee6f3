#include "rules/RulesPlanFit.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "rules/RulesPlanPairing.h"

namespace {

// The section word of a header, in small letters; empty for a line that begins no section.
std::string sectionWord(const std::string& line) {
    if (!isSectionHeader(line)) return {};
    const std::size_t end = std::min(line.find_first_of(" \t;\n"), line.size());
    std::string word = line.substr(0, end);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

std::string withoutLineFeed(const std::string& piece) {
    return !piece.empty() && piece.back() == '\n' ? piece.substr(0, piece.size() - 1) : piece;
}

}  // namespace

bool standForEachOther(const std::string& scenarioLine, const std::string& templateLine) {
    return sectionWord(scenarioLine) == sectionWord(templateLine);
}

std::optional<RulesMisfit> findPlanMisfit(ScenarioEdition edition, const PlanRunPieces& pieces) {
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        const std::vector<RulesPiece>& scenarioLines = pieces[pair.scenarioRow];
        const std::vector<RulesPiece>& templateLines = pieces[pair.templateRow];
        for (std::int32_t k = 0; k < pair.lines; ++k) {
            const std::size_t s = static_cast<std::size_t>(k);
            const std::size_t t = static_cast<std::size_t>(pair.firstPassedOver + k);
            // A text that ran short has no more pairs; its own warning tells of it.
            if (s >= scenarioLines.size() || t >= templateLines.size()) break;
            if (!standForEachOther(scenarioLines[s].text, templateLines[t].text)) {
                return RulesMisfit{scenarioLines[s], templateLines[t]};
            }
        }
    }
    return std::nullopt;
}

std::string planMisfitWarning(const std::string& scenarioRulesPath, const std::string& templateRulesPath,
                              const RulesMisfit& misfit) {
    return "Warning: the sections of " + scenarioRulesPath + " do not fit the conversion plan: its line " +
           std::to_string(misfit.scenarioLine.lineNumber) + " (\"" + withoutLineFeed(misfit.scenarioLine.text) +
           "\") takes the place of line " + std::to_string(misfit.templateLine.lineNumber) + " of " +
           templateRulesPath + " (\"" + withoutLineFeed(misfit.templateLine.text) +
           "\"); check the converted Rules.txt!";
}
