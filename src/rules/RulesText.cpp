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

RulesTextInput::RulesTextInput(const std::string& bytes, const std::filesystem::path& path)
    : path_(path), memory_(std::make_unique<std::stringbuf>(bytes, std::ios::in)) {}

std::streambuf* RulesTextInput::buffer() {
    return memory_ != nullptr ? static_cast<std::streambuf*>(memory_.get()) : file_.rdbuf();
}

int RulesTextInput::nextChar() {
    if (ended_) return -1;
    std::streambuf* buffer = this->buffer();
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

bool RulesTextInput::endsHere() {
    if (ended_) return true;
    const int c = buffer()->sgetc();
    return c == std::char_traits<char>::eof() || c == kEndOfText;
}

bool RulesTextInput::readPiece(std::string& piece, std::size_t capacity) {
    piece.clear();
    pieceWholeLine_ = false;
    if (!isOpen() || capacity < 2) return false;
    pieceLine_ = lineFeedsRead_ + 1;
    const bool startsLine = atLineStart_;
    atLineStart_ = false;
    while (piece.size() + 1 < capacity) {
        int c = nextChar();
        if (c < 0) break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') {
            ++lineFeedsRead_;
            atLineStart_ = true;
            break;
        }
    }
    pieceWholeLine_ = startsLine && !piece.empty() && (atLineStart_ || endsHere());
    return !piece.empty();
}

bool RulesTextInput::readFailed() const { return ended_ && !endedByMark_ && bytesRead_ < sizeAtOpen_; }

void RulesTextInput::rewind() {
    if (memory_ != nullptr) {
        memory_->pubseekpos(0, std::ios::in);
    } else if (file_.is_open()) {
        file_.clear();
        file_.seekg(0);
    } else {
        return;
    }
    ended_ = false;
    endedByMark_ = false;
    bytesRead_ = 0;
    lineFeedsRead_ = 0;
    pieceLine_ = 0;
    atLineStart_ = true;
    pieceWholeLine_ = false;
}

void RulesTextInput::seek(const RulesTextPosition& position) {
    const auto offset = static_cast<std::streamoff>(position.byte);
    if (memory_ != nullptr) {
        memory_->pubseekpos(offset, std::ios::in);
    } else if (file_.is_open()) {
        file_.clear();
        file_.seekg(offset);
    } else {
        return;
    }
    ended_ = false;
    endedByMark_ = false;
    bytesRead_ = position.byte;
    lineFeedsRead_ = position.lineFeeds;
    pieceLine_ = 0;
    atLineStart_ = position.atLineStart;
    pieceWholeLine_ = false;
}

RulesTextOutput::RulesTextOutput(const std::filesystem::path& path)
    : path_(path), file_(std::make_unique<ReplacingOutput>(path)) {}

RulesTextOutput RulesTextOutput::inMemory(const std::filesystem::path& path) {
    RulesTextOutput output;
    output.path_ = path;
    output.memory_ = std::make_unique<std::string>();
    return output;
}

const std::string& RulesTextOutput::text() const {
    static const std::string none;
    return memory_ != nullptr ? *memory_ : none;
}

void RulesTextOutput::put(const char* bytes, std::size_t count) {
    if (memory_ != nullptr) {
        memory_->append(bytes, count);
    } else {
        file_->stream().write(bytes, static_cast<std::streamsize>(count));
    }
}

void RulesTextOutput::write(const std::string& text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') continue;
        put(text.data() + start, i - start);
        put("\r\n", 2);
        start = i + 1;
    }
    put(text.data() + start, text.size() - start);
}

bool RulesTextOutput::close() {
    if (memory_ != nullptr) return true;
    return file_ != nullptr && file_->commit();
}
