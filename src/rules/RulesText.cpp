#include "rules/RulesText.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {
constexpr int kEndOfText = 0x1A;
constexpr std::size_t kWindowBytes = 16 * 1024;
constexpr std::size_t kPendingBytes = 64 * 1024;

// The first character in [from, from + count) that the text mode treats otherwise than as
// itself: a line feed, a carriage return or the end-of-text byte; or from + count.
const char* nextSpecial(const char* from, std::size_t count) {
    const char* end = from + count;
    for (const int special : {int{'\n'}, int{'\r'}, kEndOfText}) {
        const void* found = std::memchr(from, special, static_cast<std::size_t>(end - from));
        if (found != nullptr) end = static_cast<const char*>(found);
    }
    return end;
}
}  // namespace

RulesTextInput::RulesTextInput(const std::filesystem::path& path)
    : path_(path), file_(path, std::ios::binary), window_(kWindowBytes) {
    std::error_code error;
    if (file_.is_open()) sizeAtOpen_ = std::filesystem::file_size(path, error);
    if (error) sizeAtOpen_ = 0;
}

RulesTextInput::RulesTextInput(const std::string& bytes, const std::filesystem::path& path)
    : path_(path), memory_(std::make_unique<std::string>(bytes)) {
    next_ = memory_->data();
    windowEnd_ = next_ + memory_->size();
    windowChanged();
}

void RulesTextInput::windowChanged() {
    const void* mark = std::memchr(next_, kEndOfText, static_cast<std::size_t>(windowEnd_ - next_));
    endMark_ = mark == nullptr ? windowEnd_ : static_cast<const char*>(mark);
}

bool RulesTextInput::fillWindow() {
    if (memory_ != nullptr || !file_.is_open()) return false;
    file_.read(window_.data(), static_cast<std::streamsize>(window_.size()));
    next_ = window_.data();
    windowEnd_ = next_ + file_.gcount();
    windowChanged();
    return next_ != windowEnd_;
}

int RulesTextInput::peekByte() {
    if (next_ == windowEnd_ && !fillWindow()) return -1;
    return static_cast<unsigned char>(*next_);
}

int RulesTextInput::nextChar() {
    if (ended_) return -1;
    int c = peekByte();
    if (c >= 0) ++next_;
    if (c == '\r' && peekByte() == '\n') {
        c = '\n';
        ++next_;
        ++bytesRead_;
    }
    if (c < 0 || c == kEndOfText) {
        ended_ = true;
        endedByMark_ = c == kEndOfText;
        return -1;
    }
    ++bytesRead_;
    return c;
}

bool RulesTextInput::endsHere() {
    if (ended_) return true;
    const int c = peekByte();
    return c < 0 || c == kEndOfText;
}

// The usual case: a whole line, its line feed within the window and within `room`
// characters once a carriage return before it is dropped. False, with nothing read, for
// any other.
bool RulesTextInput::readWholeLine(std::string& piece, std::size_t room) {
    if (!atLineStart_ || ended_ || next_ == endMark_) return false;  // an empty window too
    const std::size_t span = std::min(room + 1, static_cast<std::size_t>(endMark_ - next_));
    const void* found = std::memchr(next_, '\n', span);
    if (found == nullptr) return false;
    const char* lineFeed = static_cast<const char*>(found);
    const bool crLf = lineFeed > next_ && lineFeed[-1] == '\r';
    const auto text = static_cast<std::size_t>(lineFeed - next_) - (crLf ? 1 : 0);
    if (text + 1 > room) return false;
    piece.assign(next_, text);
    piece.push_back('\n');
    bytesRead_ += static_cast<std::uintmax_t>(lineFeed + 1 - next_);
    next_ = lineFeed + 1;
    ++lineFeedsRead_;
    return true;
}

// Whole lines are taken at once, runs of plain characters whole; the characters that the
// text mode translates one by one.
bool RulesTextInput::readPiece(std::string& piece, std::size_t capacity) {
    piece.clear();
    pieceWholeLine_ = false;
    if (!isOpen() || capacity < 2) return false;
    pieceLine_ = lineFeedsRead_ + 1;
    if (readWholeLine(piece, capacity - 1)) {
        pieceWholeLine_ = true;
        return true;
    }
    const bool startsLine = atLineStart_;
    atLineStart_ = false;
    for (std::size_t room = capacity - 1; room > 0 && !ended_;) {
        if (next_ == windowEnd_ && !fillWindow()) {
            ended_ = true;
            break;
        }
        const std::size_t span = std::min(room, static_cast<std::size_t>(windowEnd_ - next_));
        const char* stop = nextSpecial(next_, span);
        const auto plain = static_cast<std::size_t>(stop - next_);
        piece.append(next_, plain);
        bytesRead_ += plain;
        room -= plain;
        next_ = stop;
        if (plain == span) continue;  // the room or the window is used up
        const int c = nextChar();
        if (c < 0) break;
        piece.push_back(static_cast<char>(c));
        --room;
        if (c == '\n') {
            ++lineFeedsRead_;
            atLineStart_ = true;
            break;
        }
    }
    pieceWholeLine_ = startsLine && !piece.empty() && (atLineStart_ || endsHere());
    return !piece.empty();
}

bool RulesTextInput::copyTo(const RulesTextPosition& end, RulesTextOutput& output) {
    bool afterCr = false;  // a piece never ends between a carriage return and its line feed
    while (bytesRead_ < end.byte) {
        if (next_ == windowEnd_ && !fillWindow()) {
            ended_ = true;
            return false;
        }
        const auto count = static_cast<std::size_t>(
            std::min<std::uintmax_t>(static_cast<std::uintmax_t>(windowEnd_ - next_), end.byte - bytesRead_));
        output.writeFileBytes(next_, count, afterCr);
        next_ += count;
        bytesRead_ += count;
    }
    lineFeedsRead_ = end.lineFeeds;
    atLineStart_ = end.atLineStart;
    return true;
}

bool RulesTextInput::readFailed() const { return ended_ && !endedByMark_ && bytesRead_ < sizeAtOpen_; }

void RulesTextInput::rewind() { seek(RulesTextPosition{}); }

void RulesTextInput::seek(const RulesTextPosition& position) {
    if (memory_ != nullptr) {
        next_ = memory_->data() + std::min<std::uintmax_t>(position.byte, memory_->size());
        windowEnd_ = memory_->data() + memory_->size();
        windowChanged();
    } else if (file_.is_open()) {
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(position.byte));
        next_ = windowEnd_ = endMark_ = nullptr;
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
        return;
    }
    pending_.append(bytes, count);
    if (pending_.size() >= kPendingBytes) flushPending();
}

void RulesTextOutput::flushPending() {
    if (file_ != nullptr) file_->stream().write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
}

void RulesTextOutput::write(const std::string& text) {
    std::size_t start = 0;
    for (std::size_t i; (i = text.find('\n', start)) != std::string::npos; start = i + 1) {
        put(text.data() + start, i - start);
        put("\r\n", 2);
    }
    put(text.data() + start, text.size() - start);
}

void RulesTextOutput::writeFileBytes(const char* bytes, std::size_t count, bool& afterCr) {
    std::size_t start = 0;
    for (const char* found; (found = static_cast<const char*>(std::memchr(bytes + start, '\n', count - start)));) {
        const auto at = static_cast<std::size_t>(found - bytes);
        const bool crBefore = at > 0 ? bytes[at - 1] == '\r' : afterCr;
        put(bytes + start, at - start);
        put(crBefore ? "\n" : "\r\n", crBefore ? 1 : 2);
        start = at + 1;
    }
    put(bytes + start, count - start);
    if (count > 0) afterCr = bytes[count - 1] == '\r';
}

bool RulesTextOutput::close() {
    if (memory_ != nullptr) return true;
    flushPending();
    return file_ != nullptr && file_->commit();
}
