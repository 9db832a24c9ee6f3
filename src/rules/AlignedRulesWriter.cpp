#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "rules/RulesAlignment.h"
#include "rules/RulesText.h"

namespace {

// Writes pieces run by run. The terrain lines are marked as the output reads: the first
// lines after a "@TERRAIN" header written, from whichever text it came, get "no," when
// they are the scenario's or the run's own; the template's lines in the scenario's places
// keep their fields. It counts the lines written, so that the account of each section can
// say where its lines went.
class RunWriter {
public:
    RunWriter(ScenarioEdition edition, RulesTextOutput& output) : edition_(edition), output_(output) {}

    void startRun(std::size_t row) { row_ = row; }
    void write(const std::string& piece, RulesSource source) {
        const bool own = kRulesMergePlan[row_].runFor(edition_).source == source;
        lastLine_ = lineFeeds_ + 1;
        lineFeeds_ += std::count(piece.begin(), piece.end(), '\n');
        output_.write(marking_.written(piece, own || source == RulesSource::Scenario));
    }
    // Copies the scenario's text up to `end` as it stands, past the pieces.
    void copy(RulesTextInput& scenario, const RulesTextPosition& end, SectionWritten& account) {
        const std::int64_t from = scenario.position().lineFeeds;
        scenario.copyTo(end, output_);
        // The last counted line of the copy is the one that `end` follows.
        const std::int64_t last = end.lineFeeds + (end.atLineStart ? 0 : 1);
        if (last > from) {
            account.scenarioLines.add(last);
            account.convertedLines.add(lineFeeds_ + last - from);
        }
        lineFeeds_ += end.lineFeeds - from;
    }
    // The line of the output on which the piece written last begins, as an editor shows it.
    std::int64_t lastLine() const { return lastLine_; }

private:
    ScenarioEdition edition_;
    RulesTextOutput& output_;
    std::size_t row_ = kRulesMergePlan.size();
    TerrainMarking marking_;
    std::int64_t lineFeeds_ = 0;
    std::int64_t lastLine_ = 0;
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

std::string_view withoutLineFeed(const std::string& piece) {
    return std::string_view(piece).substr(0, piece.size() - (!piece.empty() && piece.back() == '\n' ? 1 : 0));
}

// Reads the scenario's next counted line, which has no place in the output, for the account
// of it; false when the text ends first.
bool leaveOutOne(RulesTextInput& scenario, SectionWritten& account, std::string& piece) {
    if (!moveCountedLine(scenario, kSectionLineCapacity, RulesSource::Scenario, nullptr, piece)) return false;
    account.scenarioLines.add(scenario.lineNumber());
    account.lines.add(AdjustedLine::Fate::LeftOut, scenario.lineNumber(), 0, withoutLineFeed(piece));
    return true;
}

// Reads the scenario's next `count` counted lines, which have no place in the output, for the
// account of them. Only the first and last are kept: the plain lines between are passed over
// in bulk, a stretch at a time, and a stretch that would reach into the last lines is read
// again one line at a time.
void leaveOut(RulesTextInput& scenario, std::int64_t count, SectionWritten& account, std::string& piece) {
    const auto kept = static_cast<std::int64_t>(AdjustedLines::kKept);
    while (count > 0 && account.lines.count() < kept) {
        if (!leaveOutOne(scenario, account, piece)) return;
        --count;
    }
    while (count > kept) {
        const RulesTextPosition stretchStart = scenario.position();
        RulesTextPosition afterLastCounted;
        const std::int64_t passed = scenario.skimPlainLines(kSectionLineCapacity, afterLastCounted);
        if (passed > count - kept) {
            scenario.seek(stretchStart);
            break;
        }
        account.lines.countUnkept(passed);
        count -= passed;
        // A line that is no plain one (a long line, the last of a window) is read whole.
        if (passed == 0) {
            if (!leaveOutOne(scenario, account, piece)) return;
            --count;
        }
    }
    while (count > 0 && leaveOutOne(scenario, account, piece)) --count;
}

std::size_t capacityOf(const RulesPlace& place, ScenarioEdition edition) {
    const bool rest = kRulesMergePlan[place.readBy].runFor(edition).length == RunLength::EveryRemainingLine;
    return rest ? kRestLineCapacity : kSectionLineCapacity;
}

}  // namespace

AlignedRulesWritten writeAlignedRules(ScenarioEdition edition, const RulesAlignment& alignment,
                                      const ScenarioSectionIndex& scenario, std::int32_t caravanLines,
                                      RulesTextInput& scenarioRules, RulesTextInput& templateRules,
                                      RulesTextOutput& output) {
    const RulesPlaces places = placesFor(edition);
    RunWriter writer(edition, output);
    std::string piece;
    AlignedRulesWritten written{std::vector<SectionWritten>(alignment.sections.size()),
                                std::vector<SectionWritten>(scenario.sections().size())};
    SectionWritten* account = nullptr;  // of the section being written
    auto fromTemplate = [&](std::size_t p, bool writes) {
        writer.startRun(places[p].run);
        if (!moveCountedLine(templateRules, capacityOf(places[p], edition), RulesSource::Template,
                             writes ? &writer : nullptr, piece)) {
            return false;
        }
        if (writes) account->convertedLines.add(writer.lastLine());
        return true;
    };
    auto fromScenario = [&](std::size_t run) {
        writer.startRun(run);
        if (!moveCountedLine(scenarioRules, kSectionLineCapacity, RulesSource::Scenario, &writer, piece)) return false;
        account->scenarioLines.add(scenarioRules.lineNumber());
        account->convertedLines.add(writer.lastLine());
        return true;
    };

    templateRules.rewind();
    for (std::size_t s = 0; s < alignment.sections.size(); ++s) {
        const TemplateSection& section = alignment.sections[s];
        account = &written.templateSections[s];
        const ScenarioSection* own =
            section.matched < 0 ? nullptr : &scenario.sections()[static_cast<std::size_t>(section.matched)];
        std::int64_t linesLeft = own == nullptr ? 0 : own->lines;
        if (own != nullptr) {
            scenarioRules.seek(own->start);
            // The header goes onto the header's place when that is a scenario place.
            const bool headerPlaced = places[section.first].role == PlaceRole::Scenario;
            if (s > 0) {
                writer.startRun(places[section.first].run);
                if (moveCountedLine(scenarioRules, kSectionLineCapacity, RulesSource::Scenario,
                                    headerPlaced ? &writer : nullptr, piece)) {
                    account->scenarioLines.add(scenarioRules.lineNumber());
                    if (headerPlaced) account->convertedLines.add(writer.lastLine());
                }
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
                        writer.copy(scenarioRules, own->end, *account);
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
                // After a block that ran past its own section, the lines that follow it stand here.
                if (fromScenario(place.run) && blockWritten && caravanLines > own->lines) {
                    account->lines.add(AdjustedLine::Fate::Placed, scenarioRules.lineNumber(), writer.lastLine(),
                                       withoutLineFeed(piece));
                }
                --linesLeft;
            } else if (place.role == PlaceRole::Template && linesLeft > 0 && p >= section.spareFirst &&
                       p < spareEnd) {
                fromTemplate(p, false);
                if (fromScenario(place.run)) {
                    account->lines.add(AdjustedLine::Fate::Placed, scenarioRules.lineNumber(), writer.lastLine(),
                                       withoutLineFeed(piece));
                }
                --linesLeft;
            } else if (fromTemplate(p, true) && place.role == PlaceRole::Scenario) {
                // A scenario place that the scenario's section has no line for.
                account->lines.add(AdjustedLine::Fate::FromTemplate, 0, writer.lastLine(), withoutLineFeed(piece));
            }
        }
        // The section's lines that found no place: the caravan block took as many as it holds,
        // or, when it ran past the section, left those after the places that follow it.
        if (blockWritten && caravanLines > own->lines) {
            leaveOut(scenarioRules, linesLeft + alignment.linesAfterBlock - section.placesAfterCaravan, *account, piece);
        } else {
            leaveOut(scenarioRules, linesLeft - (blockWritten ? std::max<std::int64_t>(caravanLines, 0) : 0),
                     *account, piece);
        }
    }
    // The template after its last place, as it is.
    while (templateRules.readPiece(piece, kRestLineCapacity)) output.write(piece);

    // The scenario's sections that the destination has no place for, all left out.
    const std::vector<ScenarioSection>& found = scenario.sections();
    for (std::size_t j = 1; j < found.size(); ++j) {
        if (alignment.taken[j]) continue;
        SectionWritten& notTaken = written.scenarioSections[j];
        scenarioRules.seek(found[j].start);
        if (!moveCountedLine(scenarioRules, kSectionLineCapacity, RulesSource::Scenario, nullptr, piece)) continue;
        notTaken.scenarioLines.add(scenarioRules.lineNumber());
        leaveOut(scenarioRules, found[j].lines, notTaken, piece);
    }
    return written;
}
