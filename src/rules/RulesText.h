#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/ReplacingOutput.h"
#include "rules/RulesLine.h"

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
    // reports as the end.
    bool readFailed() const;

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
    int nextChar();  // the next translated character, or -1 at the end of the text
    int peekByte();  // the next byte as it stands in the file, or -1 at its end
    bool fillWindow();  // false at the end of the file
    void windowChanged();  // forgets the marks of the window before
    bool takeWholeLine(std::string_view& text, std::size_t room);
    const char* nextLineFeed(const char* from, const char* end);  // in the window, or nullptr
    const char* markLineFeeds(const char* from, const char* end);
    bool endsHere();  // the text ends before the next character
    bool restOfLineBlank();  // nothing but blanks and tabs from here to the line's end

    std::filesystem::path path_;
    std::ifstream file_;
    std::uintmax_t sizeAtOpen_ = 0;
    std::uintmax_t bytesRead_ = 0;  // since the last rewind
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
