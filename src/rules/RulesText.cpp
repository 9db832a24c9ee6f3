#include "rules/RulesText.h"

#include <system_error>

namespace {
constexpr int kEndOfText = 0x1A;
}

RulesTextInput::RulesTextInput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary) {
    std::error_code error;
    if (file_.is_open()) sizeAtOpen_ = std::filesystem::file_size(path, error);
    if (error) sizeAtOpen_ = 0;
}

int RulesTextInput::nextChar() {
    if (ended_) return -1;
    std::streambuf* buffer = file_.rdbuf();
    int c = buffer->sbumpc();
    if (c == '\r' && buffer->sgetc() == '\n') {
        c = buffer->sbumpc();
        ++bytesRead_;
    }
    if (c == std::char_traits<char>::eof() || c == kEndOfText) {
        ended_ = true;
        endedByMark_ = c == kEndOfText;
        return -1;
    }
    ++bytesRead_;
    return static_cast<unsigned char>(c);
}

bool RulesTextInput::readPiece(std::string& piece, std::size_t capacity) {
    piece.clear();
    if (!file_.is_open() || capacity < 2) return false;
    pieceLine_ = lineFeedsRead_ + 1;
    while (piece.size() + 1 < capacity) {
        int c = nextChar();
        if (c < 0) break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') {
            ++lineFeedsRead_;
            break;
        }
    }
    return !piece.empty();
}

bool RulesTextInput::readFailed() const { return ended_ && !endedByMark_ && bytesRead_ < sizeAtOpen_; }

void RulesTextInput::rewind() {
    if (!file_.is_open()) return;
    file_.clear();
    file_.seekg(0);
    ended_ = false;
    endedByMark_ = false;
    bytesRead_ = 0;
    lineFeedsRead_ = 0;
    pieceLine_ = 0;
}

RulesTextOutput::RulesTextOutput(const std::filesystem::path& path) : output_(path) {}

void RulesTextOutput::write(const std::string& text) {
    std::ofstream& file = output_.stream();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        file.write(text.data() + start, static_cast<std::streamsize>(i - start));
        file.write("\r\n", 2);
        start = i + 1;
    }
    file.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

bool RulesTextOutput::close() { return output_.commit(); }
