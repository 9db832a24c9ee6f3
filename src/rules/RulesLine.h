#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Rules texts are read as the standard line reader reads them into a fixed buffer: a
// line longer than the buffer comes back in pieces, and every piece is tested, counted
// and written as a line of its own (but that a line of blanks only is empty, all of it).
// The capacities include the reader's terminating zero, so a piece holds at most
// capacity - 1 characters.
constexpr std::size_t kSectionLineCapacity = 180;  // section copier and caravan counter
constexpr std::size_t kRestLineCapacity = 160;     // rest copier

// What the copiers return: whether they met their counts before the text ended.
constexpr int kRulesRunComplete = 1;
constexpr int kRulesTextEndedEarly = 0;

// A piece seen where it lies, without being copied: its characters before the line feed
// that may end it. Whether a piece counts depends on these alone.
struct RulesPieceView {
    std::string_view body;     // valid until the next read on its text
    bool endsLine = false;     // a line feed ends the piece
    bool inBlankLine = false;  // as RulesTextInput::pieceInBlankLine tells it
};

// The view of a piece read whole into a string.
inline RulesPieceView viewOf(const std::string& piece, bool inBlankLine) {
    const bool endsLine = !piece.empty() && piece.back() == '\n';
    return {std::string_view(piece.data(), piece.size() - (endsLine ? 1 : 0)), endsLine, inBlankLine};
}

// Blanks and tabs, at least one, and nothing else.
inline bool onlyBlanks(std::string_view text) {
    if (text.empty()) return false;
    for (const char c : text) {  // mostly ends at the first character
        if (c != ' ' && c != '\t') return false;
    }
    return true;
}

// A comment (";") or an empty line: the lines that no reader of a rules text counts. A line
// of nothing but blanks and tabs is empty however long it is, every piece of it; the
// trailing piece of a longer line that holds more is not, whatever it holds.
inline bool isCommentOrEmpty(const RulesPieceView& piece) {
    return piece.body.empty() || piece.body[0] == ';' || piece.inBlankLine;
}
// `inBlankLine` tells whether the piece belongs to a blank line (RulesTextInput::pieceInBlankLine).
inline bool isCommentOrEmpty(const std::string& line, bool inBlankLine) {
    return isCommentOrEmpty(viewOf(line, inBlankLine));
}

// A line counts unless it is a comment, an empty line or a ":" line (the edition probe
// alone counts ":" lines). Section headers count, and so do lines that begin with a blank
// or a tab and hold more.
inline bool isCountedLine(const RulesPieceView& piece) {
    return !isCommentOrEmpty(piece) && piece.body[0] != ':';
}
inline bool isCountedLine(const std::string& line, bool inBlankLine) {
    return isCountedLine(viewOf(line, inBlankLine));
}

// A piece with its line feed or without: both begin a section alike.
inline bool isSectionHeader(std::string_view line) { return !line.empty() && line[0] == '@'; }

// The line with "no," as its last field, where the destination reads the field: directly
// after the last comma before the line's comment (its first ";"), or after its last comma
// when it has no comment. A line with no comma there (a comment line) stays as it is.
inline std::string withNoAsLastField(const std::string& line) {
    const std::size_t comment = line.find(';');
    const std::size_t comma = line.rfind(',', comment);  // npos searches the whole line
    if (comma == std::string::npos) return line;
    std::string result = line;
    result.insert(comma + 1, "no,");
    return result;
}

// A counted piece as read, kept with its line number for the check of a text's sections
// against the merge plan.
struct RulesPiece {
    std::int64_t lineNumber;
    std::string text;
};
