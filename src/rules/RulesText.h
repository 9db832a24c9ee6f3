#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// Rules texts are read and written the way the Windows C runtime's text mode does it,
// on every platform, so that every build writes the same bytes:
//  - reading drops a carriage return that stands directly before a line feed, and a
//    0x1A byte ends the text;
//  - writing stores every line feed as carriage return plus line feed.

class RulesTextInput {
public:
    // Opens the file; check isOpen() afterwards.
    explicit RulesTextInput(const std::filesystem::path& path);
    // Reads `bytes` from memory as if they were the file at `path` (for tests and fuzzing,
    // where files would cost more than the reading).
    RulesTextInput(const std::string& bytes, const std::filesystem::path& path);

    bool isOpen() const { return memory_ != nullptr || file_.is_open(); }
    const std::filesystem::path& path() const { return path_; }

    // Reads the next piece of a line into `piece`, as the standard line reader does with
    // a buffer of `capacity` characters: at most capacity - 1 characters, up to and
    // including the next line feed. A longer line comes back in several pieces.
    // Returns false, with `piece` empty, once the text has ended.
    bool readPiece(std::string& piece, std::size_t capacity);

    // True once a read has met the end of the text.
    bool atEnd() const { return ended_; }

    // Back to the first byte of the text.
    void rewind();

private:
    int nextChar();  // the next translated character, or -1 at the end of the text
    std::streambuf* buffer();

    std::filesystem::path path_;
    std::ifstream file_;
    std::unique_ptr<std::stringbuf> memory_;  // instead of the file
    bool ended_ = false;
};

class RulesTextOutput {
public:
    // Creates or truncates the file; check isOpen() afterwards.
    explicit RulesTextOutput(const std::filesystem::path& path);
    // Writes into memory, as if to the file at `path`; text() holds the bytes.
    static RulesTextOutput inMemory(const std::filesystem::path& path);

    bool isOpen() const { return memory_ != nullptr || file_.is_open(); }
    const std::filesystem::path& path() const { return path_; }
    const std::string& text() const;

    void write(const std::string& text);

    // Flushes and closes; false when any write or the close failed.
    bool close();

private:
    RulesTextOutput() = default;
    void put(const char* bytes, std::size_t count);

    std::filesystem::path path_;
    std::ofstream file_;
    std::unique_ptr<std::string> memory_;  // instead of the file
};
