#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/RulesText.h"

// Counts the scenario's caravan lines: the counted lines strictly between the first line
// that is exactly "@CARAVAN" and the first line exactly "@ORDERS" after it; -2 when
// "@ORDERS" comes first or never. Fed every piece of a text in order.
class CaravanCounter {
public:
    void see(const RulesPieceView& piece, bool counted) {
        if (done_) return;
        if (is(piece, kCaravanHeader)) started_ = true;
        if (started_ && counted) ++count_;
        done_ = is(piece, kOrdersHeader);
    }
    // Counted lines that are no section headers.
    void seePlainCountedLines(std::int64_t lines) {
        if (started_ && !done_) count_ += lines;
    }
    int result() const { return done_ ? static_cast<int>(count_ - kBothHeaders) : -kBothHeaders; }

private:
    static constexpr std::string_view kCaravanHeader = "@CARAVAN";
    static constexpr std::string_view kOrdersHeader = "@ORDERS";
    static constexpr int kBothHeaders = 2;  // the two header lines count themselves

    // The whole piece, its line feed too: a header cut short by the end of the text is none.
    static bool is(const RulesPieceView& piece, std::string_view header) {
        return piece.endsLine && piece.body == header;
    }

    bool started_ = false;
    bool done_ = false;
    std::int64_t count_ = 0;
};

// The sections of a scenario's rules text, found in one pass that keeps only where each
// begins, so that a text of any size is indexed in little memory and its sections are
// copied later by seeking to them.

struct ScenarioSection {
    std::string word;             // the header word as written; empty before the first header
    std::int64_t lineNumber = 0;  // the header's, as an editor shows it
    std::int64_t firstLine = 0;   // the header's counted line, from 0 (0 before the first header)
    std::int64_t lines = 0;       // counted lines after the header (all of them before the first)
    RulesTextPosition start;      // where the lines that lead in its header begin
    RulesTextPosition end;        // directly after its last counted line
};

// More sections than any rules text holds; the headers of a text with more are not cut
// and their lines go with the last section indexed.
constexpr std::size_t kMaxScenarioSections = 4096;

class ScenarioSectionIndex {
public:
    ScenarioSectionIndex() : sections_(1) {}  // the lines before the first header

    // Reads the whole text, pieces as the section copier reads them, into an index that has
    // read nothing yet. ScenarioConverter::countCaravanLines reads it so for the run.
    void read(RulesTextInput& input);

    std::int64_t countedLines() const { return counted_; }
    const std::vector<ScenarioSection>& sections() const { return sections_; }
    // False when the text has more sections than the index holds.
    bool complete() const { return complete_; }
    // The caravan count of the text, as countCaravanLines gives it.
    int caravanLines() const { return caravan_.result(); }
    // The header word of counted line `line` (from 0), or nothing when it begins no section.
    std::string headerAt(std::int64_t line) const;

private:
    std::vector<ScenarioSection> sections_;
    CaravanCounter caravan_;
    bool complete_ = true;
    std::int64_t counted_ = 0;
    RulesTextPosition afterLastCounted_;
};
