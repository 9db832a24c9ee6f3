#include "rules/RulesText.h"

#include <algorithm>
#include <cstdint>
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

// Eight bytes as a number whose lowest byte is the first, whatever the machine's byte order
// (compilers make this one load).
std::uint64_t littleEndianWord(const char* at) {
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 | std::uint64_t{b[2]} << 16 | std::uint64_t{b[3]} << 24 |
           std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 | std::uint64_t{b[6]} << 48 |
           std::uint64_t{b[7]} << 56;
}

// The first line feed in [from, end), or nullptr. Rules lines are short: starting a
// library search for each of them would cost more than the search, so the bytes are
// tested here in place, eight at a time, without a branch for each byte.
const char* findLineFeed(const char* from, const char* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kLow7 = kOnes * 0x7F;
    constexpr std::uint64_t kLineFeeds = kOnes * '\n';
    for (; end - from >= 8; from += 8) {
        const std::uint64_t x = littleEndianWord(from) ^ kLineFeeds;  // zero bytes where line feeds are
        const std::uint64_t zeroBytes = ~(((x & kLow7) + kLow7) | x | kLow7);  // their high bits, no others
        if (zeroBytes == 0) continue;
        // The lowest of them; times the multiplier, its byte number lands in the top byte.
        const std::uint64_t first = (zeroBytes & (~zeroBytes + 1)) >> 7;
        return from + ((first * 0x0001020304050607u) >> 56);
    }
    for (; from != end; ++from) {
        if (*from == '\n') return from;
    }
    return nullptr;
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
    if (c == '\n') loneLineFeedSeen_ = true;  // a carriage return before it is taken with it
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
// characters once a carriage return before it is dropped. Takes the line and gives its
// characters before the line end, where they lie in the window; false, with nothing read,
// for any other case.
bool RulesTextInput::takeWholeLine(std::string_view& text, std::size_t room) {
    if (!atLineStart_ || ended_ || next_ == endMark_) return false;  // an empty window too
    const std::size_t span = std::min(room + 1, static_cast<std::size_t>(endMark_ - next_));
    const char* lineFeed = findLineFeed(next_, next_ + span);
    if (lineFeed == nullptr) return false;
    const bool crLf = lineFeed > next_ && lineFeed[-1] == '\r';
    const auto length = static_cast<std::size_t>(lineFeed - next_) - (crLf ? 1 : 0);
    if (length + 1 > room) return false;
    text = std::string_view(next_, length);
    loneLineFeedSeen_ = loneLineFeedSeen_ || !crLf;
    bytesRead_ += static_cast<std::uintmax_t>(lineFeed + 1 - next_);
    bytesSeen_ = std::max(bytesSeen_, bytesRead_);
    next_ = lineFeed + 1;
    ++lineFeedsRead_;
    pieceLine_ = lineFeedsRead_;
    pieceWholeLine_ = true;
    return true;
}

// A text that is not open has no window: it takes no whole line.
bool RulesTextInput::skimPiece(RulesPieceView& piece, std::size_t capacity) {
    if (capacity >= 2 && takeWholeLine(piece.body, capacity - 1)) {
        piece.endsLine = piece.wholeLine = true;
        return true;
    }
    const bool read = readPiece(skimmed_, capacity);
    piece = viewOf(skimmed_, pieceWholeLine_);
    return read;
}

// Whole lines are taken at once, runs of plain characters whole; the characters that the
// text mode translates one by one.
bool RulesTextInput::readPiece(std::string& piece, std::size_t capacity) {
    piece.clear();
    pieceWholeLine_ = false;
    if (!isOpen() || capacity < 2) return false;
    std::string_view wholeLine;
    if (takeWholeLine(wholeLine, capacity - 1)) {
        piece.assign(wholeLine.data(), wholeLine.size());
        piece.push_back('\n');
        return true;
    }
    pieceLine_ = lineFeedsRead_ + 1;
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
    bytesSeen_ = std::max(bytesSeen_, bytesRead_);
    pieceWholeLine_ = startsLine && !piece.empty() && (atLineStart_ || endsHere());
    return !piece.empty();
}

// A range that was read before, in a text whose every line feed so far had a carriage return
// before it, is written as it stands.
bool RulesTextInput::copyTo(const RulesTextPosition& end, RulesTextOutput& output) {
    const bool asItStands = !loneLineFeedSeen_ && end.byte <= bytesSeen_;
    bool afterCr = false;  // a piece never ends between a carriage return and its line feed
    while (bytesRead_ < end.byte) {
        if (next_ == windowEnd_ && !fillWindow()) {
            ended_ = true;
            return false;
        }
        const auto count = static_cast<std::size_t>(
            std::min<std::uintmax_t>(static_cast<std::uintmax_t>(windowEnd_ - next_), end.byte - bytesRead_));
        if (asItStands) {
            output.writeAsWritten(next_, count);
        } else {
            output.writeFileBytes(next_, count, afterCr);
        }
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

void RulesTextOutput::writeAsWritten(const char* bytes, std::size_t count) { put(bytes, count); }

// A line that ends with a carriage return and a line feed is written as it stands, so
// the bytes between two lone line feeds go out at once.
void RulesTextOutput::writeFileBytes(const char* bytes, std::size_t count, bool& afterCr) {
    const char* const end = bytes + count;
    const char* runStart = bytes;
    for (const char* at = bytes; (at = findLineFeed(at, end)) != nullptr; ++at) {
        const bool crBefore = at > bytes ? at[-1] == '\r' : afterCr;
        if (crBefore) continue;
        put(runStart, static_cast<std::size_t>(at - runStart));
        put("\r\n", 2);
        runStart = at + 1;
    }
    put(runStart, static_cast<std::size_t>(end - runStart));
    if (count > 0) afterCr = end[-1] == '\r';
}

bool RulesTextOutput::close() {
    if (memory_ != nullptr) return true;
    flushPending();
    return file_ != nullptr && file_->commit();
}
