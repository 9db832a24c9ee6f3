#include "rules/RulesText.h"

namespace {
constexpr int kEndOfText = 0x1A;
}

RulesTextInput::RulesTextInput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary) {}

RulesTextInput::RulesTextInput(const std::string& bytes, const std::filesystem::path& path)
    : path_(path), memory_(std::make_unique<std::stringbuf>(bytes, std::ios::in)) {}

std::streambuf* RulesTextInput::buffer() {
    return memory_ != nullptr ? static_cast<std::streambuf*>(memory_.get()) : file_.rdbuf();
}

int RulesTextInput::nextChar() {
    if (ended_) return -1;
    std::streambuf* buffer = this->buffer();
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
    if (!isOpen() || capacity < 2) return false;
    while (piece.size() + 1 < capacity) {
        int c = nextChar();
        if (c < 0) break;
        piece.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !piece.empty();
}

void RulesTextInput::rewind() {
    if (memory_ != nullptr) {
        memory_->pubseekpos(0, std::ios::in);
        ended_ = false;
        return;
    }
    if (!file_.is_open()) return;
    file_.clear();
    file_.seekg(0);
    ended_ = false;
}

RulesTextOutput::RulesTextOutput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary | std::ios::trunc) {}

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
        file_.write(bytes, static_cast<std::streamsize>(count));
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
    if (!file_.is_open()) return false;
    file_.flush();
    bool ok = file_.good();
    file_.close();
    return ok && !file_.fail();
}
