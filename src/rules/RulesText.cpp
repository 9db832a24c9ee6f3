#include "rules/RulesText.h"

namespace {
constexpr int kEndOfText = 0x1A;
}

RulesTextInput::RulesTextInput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary) {}

int RulesTextInput::nextChar() {
    if (ended_) return -1;
    std::streambuf* buffer = file_.rdbuf();
    int c = buffer->sbumpc();
    if (c == '\r' && buffer->sgetc() == '\n') c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof() || c == kEndOfText) {
        ended_ = true;
        return -1;
    }
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

void RulesTextInput::rewind() {
    if (!file_.is_open()) return;
    file_.clear();
    file_.seekg(0);
    ended_ = false;
    lineFeedsRead_ = 0;
    pieceLine_ = 0;
}

RulesTextOutput::RulesTextOutput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary | std::ios::trunc) {}

void RulesTextOutput::write(const std::string& text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        file_.write(text.data() + start, static_cast<std::streamsize>(i - start));
        file_.write("\r\n", 2);
        start = i + 1;
    }
    file_.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

bool RulesTextOutput::close() {
    if (!file_.is_open()) return false;
    file_.flush();
    bool ok = file_.good();
    file_.close();
    return ok && !file_.fail();
}
