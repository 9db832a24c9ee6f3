#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/RulesLine.h"
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
};

// More sections than any rules text holds; the headers of a text with more are not cut
// and their lines go with the last section indexed.
constexpr std::size_t kMaxScenarioSections = 4096;

class ScenarioSectionIndex {
public:
    ScenarioSectionIndex() : sections_(1) {}  // the lines before the first header

    // Reads on, pieces as the section copier reads them, until `countedLines` counted lines
    // have been read in all or the text ends; `seen` is told of each counted piece with
    // its counted line, from 0. False when the text ended first.
    using CountedSeen = std::function<void(std::int64_t counted, const RulesPiece& piece)>;
    bool readOn(RulesTextInput& input, std::int64_t countedLines, const CountedSeen& seen = {});

    std::int64_t countedLines() const { return counted_; }
    const std::vector<ScenarioSection>& sections() const { return sections_; }

private:
    std::vector<ScenarioSection> sections_;
    std::int64_t counted_ = 0;
    RulesTextPosition afterLastCounted_;
};
