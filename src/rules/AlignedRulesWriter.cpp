#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "rules/RulesAlignment.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"
#include "rules/TerrainMarking.h"

namespace {

// Writes pieces run by run: a run marks the terrain lines of its own source as the plan's
// run does; the lines it takes from the other text are written as they are.
class RunWriter {
public:
    RunWriter(ScenarioEdition edition, RulesTextOutput& output) : edition_(edition), output_(output) {}

    void startRun(std::size_t row) {
        if (row == row_) return;
        row_ = row;
        marking_ = TerrainMarking();
    }
    void write(const std::string& piece, RulesSource source) {
        const bool own = kRulesMergePlan[row_].runFor(edition_).source == source;
        output_.write(own ? marking_.written(piece) : piece);
    }

private:
    ScenarioEdition edition_;
    RulesTextOutput& output_;
    std::size_t row_ = kRulesMergePlan.size();
    TerrainMarking marking_;
};

// Reads one counted line with the lines that lead it in, and writes them all or none.
// False when the text ends first.
// `piece` is the caller's, kept from call to call: a caravan block may be long.
bool moveCountedLine(RulesTextInput& input, std::size_t capacity, RulesSource source, RunWriter* writer,
                     std::string& piece) {
    while (input.readPiece(piece, capacity)) {
        if (writer != nullptr) writer->write(piece, source);
        if (isCountedLine(piece, input.pieceInBlankLine())) return true;
    }
    return false;
}

std::size_t capacityOf(const RulesPlace& place, ScenarioEdition edition) {
    const bool rest = kRulesMergePlan[place.readBy].runFor(edition).length == RunLength::EveryRemainingLine;
    return rest ? kRestLineCapacity : kSectionLineCapacity;
}

}  // namespace

void writeAlignedRules(ScenarioEdition edition, const RulesAlignment& alignment, const ScenarioSectionIndex& scenario,
                       std::int32_t caravanLines, RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                       RulesTextOutput& output) {
    const RulesPlaces places = placesFor(edition);
    RunWriter writer(edition, output);
    std::string piece;
    auto fromTemplate = [&](std::size_t p, bool written) {
        writer.startRun(places[p].run);
        moveCountedLine(templateRules, capacityOf(places[p], edition), RulesSource::Template,
                        written ? &writer : nullptr, piece);
    };
    auto fromScenario = [&](std::size_t run) {
        writer.startRun(run);
        moveCountedLine(scenarioRules, kSectionLineCapacity, RulesSource::Scenario, &writer, piece);
    };

    templateRules.rewind();
    for (std::size_t s = 0; s < alignment.sections.size(); ++s) {
        const TemplateSection& section = alignment.sections[s];
        const ScenarioSection* own =
            section.matched < 0 ? nullptr : &scenario.sections()[static_cast<std::size_t>(section.matched)];
        std::int64_t linesLeft = own == nullptr ? 0 : own->lines;
        if (own != nullptr) {
            scenarioRules.seek(own->start);
            // The header goes onto the header's place when that is a scenario place.
            const bool headerPlaced = places[section.first].role == PlaceRole::Scenario;
            if (s > 0) {
                writer.startRun(places[section.first].run);
                moveCountedLine(scenarioRules, kSectionLineCapacity, RulesSource::Scenario,
                                headerPlaced ? &writer : nullptr, piece);
            }
        }
        const std::size_t spareEnd = section.spareFirst + section.spareTemplatePlaces;
        bool blockWritten = false;
        for (std::size_t p = section.first; p < section.end; ++p) {
            const RulesPlace& place = places[p];
            const bool headerPlace = s > 0 && p == section.first;
            if (place.role == PlaceRole::Caravan) {
                // The scenario's caravan lines in the stead of the template's, as many as
                // they are; the template's when the scenario has no caravan section.
                if (own != nullptr && !blockWritten) {
                    blockWritten = true;
                    // A block that is the section's own lines, with no header among them to
                    // mark terrain lines by, is copied whole: it may be most of the text.
                    if (caravanLines == own->lines && section.scenarioLines == 0 && scenario.complete()) {
                        scenarioRules.copyTo(own->end, output);
                    } else {
                        // Up to the text's last counted line: the lines after it lead in none.
                        const std::int64_t lines = std::min<std::int64_t>(
                            caravanLines, scenario.countedLines() - own->firstLine - (s > 0 ? 1 : 0));
                        for (std::int64_t i = 0; i < lines; ++i) fromScenario(place.run);
                    }
                    // A block that runs past its own section leaves to the scenario places
                    // after it the lines that follow it, up to the next header.
                    if (caravanLines > own->lines) {
                        linesLeft = std::min(alignment.linesAfterBlock, section.placesAfterCaravan);
                    }
                }
                fromTemplate(p, own == nullptr);
            } else if (headerPlace) {
                fromTemplate(p, own == nullptr || place.role != PlaceRole::Scenario);
            } else if (place.role == PlaceRole::Scenario && linesLeft > 0) {
                fromTemplate(p, false);
                fromScenario(place.run);
                --linesLeft;
            } else if (place.role == PlaceRole::Template && linesLeft > 0 && p >= section.spareFirst &&
                       p < spareEnd) {
                fromTemplate(p, false);
                fromScenario(place.run);
                --linesLeft;
            } else {
                fromTemplate(p, true);
            }
        }
    }
    // The template after its last place, as it is.
    while (templateRules.readPiece(piece, kRestLineCapacity)) output.write(piece);
}
