#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/CaravanCounter.h"
#include "rules/RulesText.h"

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

    // Reads the whole text, pieces as the section copier reads them.
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
