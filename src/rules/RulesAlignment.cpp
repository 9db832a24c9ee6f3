#include "rules/RulesAlignment.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "rules/RulesMergePlan.h"
#include "rules/RulesText.h"
#include "rules/ScenarioSections.h"

namespace {

const char* const kStartName = "(start)";

std::vector<TemplateSection> cutTemplateSections(const RulesPlaces& places,
                                                 const std::vector<std::string>& templateHeaders) {
    std::vector<TemplateSection> sections(1);
    for (std::size_t p = 0; p < kRulesPlaces; ++p) {
        const RulesPlace& place = places[p];
        // The template's caravan lines are the block's, and cut nothing.
        if (place.role == PlaceRole::Caravan) {
            sections.back().holdsCaravan = true;
            continue;
        }
        if (!templateHeaders[p].empty()) {
            sections.back().end = p;
            TemplateSection section;
            section.first = p;
            section.word = headerWord(templateHeaders[p]);
            sections.push_back(section);
        }
    }
    sections.back().end = kRulesPlaces;

    for (std::size_t s = 0; s < sections.size(); ++s) {
        TemplateSection& section = sections[s];
        const bool hasHeader = s > 0;
        bool anyScenarioPlace = false;
        section.spareFirst = section.first;
        bool afterCaravan = false;
        for (std::size_t p = section.first; p < section.end; ++p) {
            afterCaravan = afterCaravan || places[p].role == PlaceRole::Caravan;
            if (places[p].role != PlaceRole::Scenario) continue;
            anyScenarioPlace = true;
            section.spareFirst = p + 1;
            if (!hasHeader || p != section.first) ++section.scenarioLines;
            if (afterCaravan) ++section.placesAfterCaravan;
        }
        section.templateOwn = hasHeader && !anyScenarioPlace;
        for (std::size_t p = section.spareFirst; p < section.end && places[p].role == PlaceRole::Template; ++p) {
            ++section.spareTemplatePlaces;
        }
    }
    return sections;
}

// The first scenario section after `from` that has `key` and is not taken yet, or -1.
int nextWithKey(const std::vector<ScenarioSection>& sections, const std::vector<bool>& taken, const std::string& key,
                std::size_t from) {
    for (std::size_t j = from; j < sections.size(); ++j) {
        if (!taken[j] && sectionKey(sections[j].word) == key) return static_cast<int>(j);
    }
    return -1;
}

std::int64_t blockLines(std::int32_t caravanLines) { return std::max<std::int64_t>(caravanLines, 0); }

}  // namespace

RulesAlignment alignSections(ScenarioEdition edition, const std::vector<std::string>& templateHeaders,
                             const ScenarioSectionIndex& scenario, std::int32_t caravanLines) {
    const std::vector<ScenarioSection>& found = scenario.sections();
    RulesAlignment alignment{cutTemplateSections(placesFor(edition), templateHeaders),
                             std::vector<bool>(found.size(), false)};
    // The lines before the first header pair with each other.
    alignment.sections[0].matched = 0;
    alignment.taken[0] = true;
    std::size_t last = 0;  // the scenario section taken last
    for (std::size_t s = 1; s < alignment.sections.size(); ++s) {
        TemplateSection& section = alignment.sections[s];
        if (section.templateOwn) continue;
        const std::string key = sectionKey(section.word);
        int j = nextWithKey(found, alignment.taken, key, last + 1);
        if (j < 0) {
            j = nextWithKey(found, alignment.taken, key, 1);
            section.outOfOrder = j >= 0;
        }
        if (j < 0) continue;
        section.matched = j;
        alignment.taken[static_cast<std::size_t>(j)] = true;
        last = static_cast<std::size_t>(j);
        if (!section.holdsCaravan) continue;
        // The sections whose headers the caravan block carries are written with it; the
        // sections after the block are matched from there on.
        const std::size_t own = last;
        const std::int64_t blockEnd = found[own].firstLine + blockLines(caravanLines);  // its last line
        bool takenBefore = false;
        for (std::size_t k = own + 1; k < found.size() && found[k].firstLine <= blockEnd; ++k) {
            takenBefore = alignment.taken[k];
            alignment.taken[k] = true;
            last = k;
        }
        if (last != own && !takenBefore) {
            alignment.linesAfterBlock = std::max<std::int64_t>(found[last].firstLine + found[last].lines - blockEnd, 0);
        }
    }
    return alignment;
}

std::vector<RulesAdjustment> alignmentAdjustments(const RulesAlignment& alignment, const ScenarioSectionIndex& scenario,
                                                  std::int32_t caravanLines, AlignedRulesWritten written) {
    const std::vector<ScenarioSection>& found = scenario.sections();
    std::vector<RulesAdjustment> adjustments;
    // The section's spans go with each of its adjustments, its lines with the last.
    auto add = [&adjustments](RulesAdjustment::Kind kind, const std::string& name,
                              SectionWritten& section) -> RulesAdjustment& {
        adjustments.push_back({});
        RulesAdjustment& adjustment = adjustments.back();
        adjustment.kind = kind;
        adjustment.section = name;
        adjustment.scenarioLines = section.scenarioLines;
        adjustment.convertedLines = section.convertedLines;
        adjustment.lines = std::move(section.lines);
        section.lines = AdjustedLines();
        return adjustment;
    };
    for (std::size_t s = 0; s < alignment.sections.size(); ++s) {
        const TemplateSection& section = alignment.sections[s];
        if (section.templateOwn) continue;
        const std::string name = s == 0 ? kStartName : section.word;
        SectionWritten& lines = written.templateSections[s];
        if (section.matched < 0) {
            add(RulesAdjustment::Kind::Missing, name, lines);
            continue;
        }
        const ScenarioSection& own = found[static_cast<std::size_t>(section.matched)];
        if (section.outOfOrder) {
            SectionWritten spansOnly{lines.scenarioLines, lines.convertedLines, {}};
            add(RulesAdjustment::Kind::OutOfOrder, name, spansOnly).lineNumber = own.lineNumber;
        }
        const std::int64_t n = own.lines;
        // The caravan block takes the scenario's caravan lines, however many; only those
        // that it leaves out are told.
        const std::int64_t m =
            section.holdsCaravan ? section.scenarioLines + blockLines(caravanLines) : section.scenarioLines;
        if (n < m && !section.holdsCaravan) {
            RulesAdjustment& fewer = add(RulesAdjustment::Kind::Fewer, name, lines);
            fewer.has = n;
            fewer.takes = m;
        } else if (n > m) {
            RulesAdjustment& more = add(RulesAdjustment::Kind::More, name, lines);
            more.has = n;
            more.takes = m;
            more.placed = std::min(n - m, static_cast<std::int64_t>(section.spareTemplatePlaces));
            more.leftOut = n - m - more.placed;
            more.inOrder = !section.outOfOrder;
        }
        // The text after the caravan block starts with lines that no section takes.
        if (section.holdsCaravan && alignment.linesAfterBlock > section.placesAfterCaravan) {
            RulesAdjustment& more = add(RulesAdjustment::Kind::More, kStartName, lines);
            more.has = alignment.linesAfterBlock;
            more.takes = more.placed = section.placesAfterCaravan;
            more.leftOut = more.has - more.takes;
        }
    }
    for (std::size_t j = 1; j < found.size(); ++j) {
        if (alignment.taken[j]) continue;
        add(RulesAdjustment::Kind::NotTaken, found[j].word, written.scenarioSections[j]).lineNumber =
            found[j].lineNumber;
    }
    return adjustments;
}

// --- the adjustments ------------------------------------------------------------------------

void AdjustedLines::add(AdjustedLine::Fate fate, std::int64_t scenarioLine, std::int64_t convertedLine,
                        std::string_view text) {
    ++count_;
    std::vector<AdjustedLine>* kept = &first_;
    if (first_.size() == kKept) {
        kept = &last_;
        if (last_.size() == kKept) {
            // The oldest of the last lines makes room; its string keeps its memory.
            AdjustedLine& line = last_[next_];
            next_ = (next_ + 1) % kKept;
            line.fate = fate;
            line.scenarioLine = scenarioLine;
            line.convertedLine = convertedLine;
            line.text.assign(text.data(), text.size());
            return;
        }
    }
    kept->push_back({fate, scenarioLine, convertedLine, std::string(text)});
}

std::vector<AdjustedLine> AdjustedLines::last() const {
    std::vector<AdjustedLine> ordered(last_.begin() + static_cast<std::ptrdiff_t>(next_), last_.end());
    ordered.insert(ordered.end(), last_.begin(), last_.begin() + static_cast<std::ptrdiff_t>(next_));
    return ordered;
}

std::string adjustmentLine(const RulesAdjustment& adjustment, const std::string& scenarioPath,
                           const std::string& templatePath) {
    const std::string check = "check the converted Rules.txt!";
    const std::string& name = adjustment.section;
    const std::string counts =
        scenarioPath + " has " + std::to_string(adjustment.has) + " lines in " + name + " where the ";
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

// --- the writer -----------------------------------------------------------------------------

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
            } else if (place.role == PlaceRole::Template && linesLeft > 0 && p >= section.spareFirst && p < spareEnd) {
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
            leaveOut(scenarioRules, linesLeft + alignment.linesAfterBlock - section.placesAfterCaravan, *account,
                     piece);
        } else {
            leaveOut(scenarioRules, linesLeft - (blockWritten ? std::max<std::int64_t>(caravanLines, 0) : 0), *account,
                     piece);
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
