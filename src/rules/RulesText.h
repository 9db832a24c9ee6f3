#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/ReplacingOutput.h"
#include "base/SystemFile.h"

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
inline bool isCountedLine(const RulesPieceView& piece) { return !isCommentOrEmpty(piece) && piece.body[0] != ':'; }
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

// The word that names a section: its header line from "@" up to the first blank, tab, ";"
// or line end, as the text writes it; empty for a line that begins no section. The line
// may come with its line feed or without.
std::string headerWord(std::string_view line);

// Two texts name the same section whatever the letter case of their words.
std::string sectionKey(const std::string& word);

// The destination format carries an extra terrain field, "no,", last on the first lines
// of its terrain section; the scenario editions lack it. Of the lines that one marking
// sees (one run of the plan; section by section, the whole output), the first after a
// line that is exactly "@TERRAIN" get it, counted or not; a run that starts inside that
// section, or passes over its header, marks nothing.
class TerrainMarking {
public:
    // The piece as it is written (the piece itself, or a marked copy that lasts until the
    // next call). A header line is itself still written under the section before it; the
    // count of lines after the terrain header runs on through a second one. A piece that
    // must keep its fields (`markable` false) takes its turn among those lines unmarked.
    const std::string& written(const std::string& piece, bool markable = true) {
        const bool inTerrainLines = section_ == kTerrainHeader && terrainLinesSeen_ < kTerrainLinesMarked;
        if (inTerrainLines) ++terrainLinesSeen_;
        const bool mark = inTerrainLines && markable;
        if (mark) marked_ = withNoAsLastField(piece);
        if (isSectionHeader(piece)) section_ = piece;
        return mark ? marked_ : piece;
    }

private:
    static constexpr const char* kTerrainHeader = "@TERRAIN\n";
    static constexpr int kTerrainLinesMarked = 11;
    std::string section_ = "@NONE";
    int terrainLinesSeen_ = 0;
    std::string marked_;
};

// Rules texts are read and written the way the Windows C runtime's text mode does it,
// on every platform, so that every build writes the same bytes:
//  - reading drops a carriage return that stands directly before a line feed, and a
//    0x1A byte ends the text;
//  - writing stores every line feed as carriage return plus line feed.

// Where a reader stands in a text, so that it can come back there: the byte of the file, the
// line feeds read before it and whether a line begins there (or else whether the line it
// stands in holds nothing but blanks and tabs).
struct RulesTextPosition {
    std::uintmax_t byte = 0;
    std::int64_t lineFeeds = 0;
    bool atLineStart = true;
    bool inBlankLine = false;
};

// The name of a rules text, in a scenario folder, in the template folder and among the outputs.
inline constexpr const char* kRulesTextName = "Rules.txt";

class RulesTextInput {
public:
    // Opens the file; check isOpen() afterwards.
    explicit RulesTextInput(const std::filesystem::path& path);
    // Reads `bytes` from memory as if they were the file at `path` (for tests and fuzzing,
    // where files would cost more than the reading).
    RulesTextInput(const std::string& bytes, const std::filesystem::path& path);

    bool isOpen() const { return memory_ != nullptr || file_.is_open(); }
    const std::filesystem::path& path() const { return path_; }

    RulesTextInput(RulesTextInput&&) = delete;  // the window points into the text

    // Reads the next piece of a line into `piece`, as the standard line reader does with
    // a buffer of `capacity` characters: at most capacity - 1 characters, up to and
    // including the next line feed. A longer line comes back in several pieces.
    // Returns false, with `piece` empty, once the text has ended.
    bool readPiece(std::string& piece, std::size_t capacity);

    // Reads the next piece as readPiece does, for the passes that only look at pieces: a
    // whole line is seen where it lies in the window, without a copy. The view lasts until
    // the next read, seek or rewind.
    bool skimPiece(RulesPieceView& piece, std::size_t capacity);

    // Passes over the lines from here that skimPiece would give whole, up to the first that
    // begins a section or that it would not (a line longer than the buffer, the window's
    // last, the end of the text). Returns how many of them count, and gives the position
    // after the last that does in `afterLastCounted` when one does.
    std::int64_t skimPlainLines(std::size_t capacity, RulesTextPosition& afterLastCounted);

    // The line number, as an editor shows it, of the piece read last: 1 plus the line
    // feeds before it in the text as read, so every piece of a long line has its line's.
    std::int64_t lineNumber() const { return pieceLine_; }

    // True when the piece read last belongs to a line of nothing but blanks and tabs before
    // its line end, however long: every piece of such a line reads as an empty line.
    bool pieceInBlankLine() const { return pieceInBlankLine_; }

    // True when the text ended before the end of the file as it was when it was opened:
    // an input error, or a file cut short while it is read, both of which a stream
    // reports as the end. An input error counts after a rewind too: a pass that read
    // nothing of the text (a scenario text whose first read failed has no section to
    // read) would not meet it again.
    bool readFailed() const;
    // The system's error of the read that failed, none when it gave none (a file cut short).
    std::error_code readError() const { return file_.error(); }

    // Back to the first byte of the text.
    void rewind();

    // Where the next piece begins, and back there (only to a position this text gave).
    RulesTextPosition position() const {
        return {bytesRead_, lineFeedsRead_, atLineStart_, !atLineStart_ && pieceInBlankLine_};
    }
    void seek(const RulesTextPosition& position);

    // Writes the text from here up to `end` (a later position that this text gave, with no
    // end-of-text byte before it) to `output`, in large blocks, as reading and writing it
    // piece by piece would; then stands at `end`. False when the file ends first.
    bool copyTo(const RulesTextPosition& end, class RulesTextOutput& output);

private:
    int nextChar();        // the next translated character, or -1 at the end of the text
    int peekByte();        // the next byte as it stands in the file, or -1 at its end
    bool fillWindow();     // false at the end of the file
    void windowChanged();  // forgets the marks of the window before
    bool takeWholeLine(std::string_view& text, std::size_t room);
    const char* nextLineFeed(const char* from, const char* end);  // in the window, or nullptr
    const char* markLineFeeds(const char* from, const char* end);
    bool endsHere();         // the text ends before the next character
    bool restOfLineBlank();  // nothing but blanks and tabs from here to the line's end

    std::filesystem::path path_;
    InputFile file_;
    std::uintmax_t sizeAtOpen_ = 0;
    std::uintmax_t bytesRead_ = 0;         // since the last rewind
    std::unique_ptr<std::string> memory_;  // instead of the file
    // The bytes not read yet of the part of the text at hand: the whole text in memory, or
    // the window of the file read last.
    std::vector<char> window_;
    const char* next_ = nullptr;
    const char* windowEnd_ = nullptr;
    // The part of the window whose line feeds are marked, and their marks (bit i: byte
    // markedFrom_ + i).
    const char* markedFrom_ = nullptr;
    const char* markedEnd_ = nullptr;
    std::uint64_t lineFeedBits_ = 0;
    bool ended_ = false;
    bool endedByMark_ = false;  // by the end-of-text byte, not by the end of the file
    std::int64_t lineFeedsRead_ = 0;
    std::int64_t pieceLine_ = 0;
    bool atLineStart_ = true;
    bool pieceInBlankLine_ = false;
    std::string skimmed_;  // a piece that skimPiece could not see in place
    // What the reads so far have shown of the file, rewinds and seeks aside: how far they
    // reached, and whether a line feed without a carriage return before it stood there.
    std::uintmax_t bytesSeen_ = 0;
    bool loneLineFeedSeen_ = false;
};

// Replaces the file of its name whole, when it is closed, or not at all.
class RulesTextOutput {
public:
    // Creates the output's temporary file; check isOpen() afterwards.
    explicit RulesTextOutput(const std::filesystem::path& path);
    // Writes into memory, as if to the file at `path`; text() holds the bytes.
    static RulesTextOutput inMemory(const std::filesystem::path& path);

    bool isOpen() const { return memory_ != nullptr || (file_ != nullptr && file_->isOpen()); }
    const std::filesystem::path& path() const { return path_; }
    const std::string& text() const;
    // Why the file could not be created or written (ReplacingOutput::failureReason).
    std::string failureReason() const { return file_ != nullptr ? file_->failureReason() : std::string(); }

    void write(const std::string& text);
    // Writes bytes of a rules text as it stands in a file, as reading and writing them would:
    // a line feed without a carriage return before it gets one. `afterCr` tells whether the
    // byte before them was a carriage return; returns whether their last one is.
    bool writeFileBytes(const char* bytes, std::size_t count, bool afterCr);
    // Writes bytes that stand as writing gives them already: no line feed without a
    // carriage return before it.
    void writeAsWritten(const char* bytes, std::size_t count);

    // Flushes, closes and puts the text in place; false when any write or the close
    // failed, and the file of the name keeps what it held then.
    bool close();
    // Drops what was written; the file of the name keeps what it held.
    void discard() {
        pending_.clear();
        if (file_ != nullptr) file_->discard();
    }

private:
    RulesTextOutput() = default;
    void put(const char* bytes, std::size_t count);
    void flushPending();

    std::filesystem::path path_;
    std::unique_ptr<ReplacingOutput> file_;  // the text goes to the file, or else to memory_
    std::unique_ptr<std::string> memory_;
    std::string pending_;  // gathered for the file, so that it gets few large writes
};

// How the reader finds line ends, 64 bytes at a time: where the line feeds stand among the
// bytes from `at`, as the bits of a number (bit i for the byte at + i), and whether the
// end-of-text byte stands among them. A huge rules text is mostly short lines; finding
// their ends from such bits spares a search for each line. Declared here for their test.
struct LineFeedMarks {
    std::uint64_t lineFeeds;
    bool endOfTextAmong;
};
// Plain C++, eight bytes at a time.
LineFeedMarks lineFeedBitsPortable(const char* at);
// The same, sixteen bytes in one compare where the processor has them (every x86-64 one).
LineFeedMarks lineFeedBits(const char* at);
// The number of the lowest set bit of a number that has one.
int lowestBit(std::uint64_t bits);
