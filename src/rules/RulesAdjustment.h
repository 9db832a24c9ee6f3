#pragma once

#include <cstdint>
#include <string>

// One difference between a scenario's rules text and the destination's layout, found by the
// section-by-section merge: a value, so that the console line and any other account of the
// run are written from the same facts. A note loses nothing (every scenario line of the
// section is in the output, in order); every other kind is a warning, for the user to check.
struct RulesAdjustment {
    enum class Kind {
        Fewer,       // the section has fewer lines than the destination takes; the rest from the template
        More,        // more lines: `placed` on the destination's lines that follow, `leftOut` not written
        Missing,     // the scenario has no such section; it comes whole from the template
        OutOfOrder,  // the section stands elsewhere in the scenario, at `lineNumber`
        NotTaken,    // a scenario section the destination has no place for, at `lineNumber`
    };
    Kind kind = Kind::Fewer;
    std::string section;          // the header word, or "(start)" for the lines before the first header
    std::int64_t has = 0;         // the scenario's lines in it (Fewer, More)
    std::int64_t takes = 0;       // the lines the destination takes (Fewer, More)
    std::int64_t placed = 0;      // More: on the destination's lines that follow
    std::int64_t leftOut = 0;     // More: not written anywhere
    std::int64_t lineNumber = 0;  // OutOfOrder, NotTaken: the header's line as an editor shows it
    bool inOrder = true;          // More: the section was matched where the scenario's order has it

    bool isNote() const { return kind == Kind::More && inOrder && leftOut == 0; }
};

// The one console line of an adjustment, without its line feed; `scenarioPath` and
// `templatePath` name the two rules texts as the user knows them.
std::string adjustmentLine(const RulesAdjustment& adjustment, const std::string& scenarioPath,
                           const std::string& templatePath);
