#include "rules/RulesText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <system_error>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVOREL_LINE_FEEDS_BY_SSE2 1
#endif

std::string headerWord(std::string_view line) {
    if (!isSectionHeader(line)) return {};
    return std::string(line.substr(0, std::min(line.find_first_of(" \t;\n"), line.size())));
}

std::string sectionKey(const std::string& word) {
    std::string key = word;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

namespace {

// Eight bytes as a number whose lowest byte is the first, whatever the machine's byte
// order (compilers make this one load).
std::uint64_t littleEndianWord(const char* at) {
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 | std::uint64_t{b[2]} << 16 | std::uint64_t{b[3]} << 24 |
           std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 | std::uint64_t{b[6]} << 48 |
           std::uint64_t{b[7]} << 56;
}

// The line-feed search, which the reader runs for every 64 bytes, inline there;
// lineFeedBitsPortable, lineFeedBits and lowestBit below give it to its test.

// The high bit of each byte that is a line feed, gathered.
inline LineFeedMarks portableLineFeedMarks(const char* at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = kOnes * 0x80;
    constexpr std::uint64_t kLow7 = kOnes * 0x7F;
    constexpr std::uint64_t kLineFeeds = kOnes * '\n';
    constexpr std::uint64_t kEndOfText = kOnes * 0x1A;
    constexpr std::uint64_t kGather = 0x0002040810204081u;  // the bytes' high bits into the top byte
    std::uint64_t bits = 0;
    std::uint64_t anyEnd = 0;
    for (int word = 0; word < 8; ++word) {
        const std::uint64_t bytes = littleEndianWord(at + 8 * word);
        const std::uint64_t x = bytes ^ kLineFeeds;
        const std::uint64_t zeroBytes = ~(((x & kLow7) + kLow7) | x | kLow7);  // high bits of the zero bytes
        bits |= ((zeroBytes * kGather) >> 56) << (8 * word);
        const std::uint64_t y = bytes ^ kEndOfText;
        anyEnd |= (y - kOnes) & ~y & kHighBits;  // not zero when a byte of y is
    }
    return {bits, anyEnd != 0};
}

inline LineFeedMarks lineFeedMarks(const char* at) {
#if defined(TAVOREL_LINE_FEEDS_BY_SSE2)
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    const __m128i endOfText = _mm_set1_epi8(0x1A);
    std::uint64_t bits = 0;
    __m128i anyEnd = _mm_setzero_si128();
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
        const auto found = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeeds)));
        bits |= std::uint64_t{found} << (16 * part);
        anyEnd = _mm_or_si128(anyEnd, _mm_cmpeq_epi8(bytes, endOfText));
    }
    return {bits, _mm_movemask_epi8(anyEnd) != 0};
#else
    return portableLineFeedMarks(at);
#endif
}

// One instruction where the compiler offers it, a multiplication and a table without a
// branch elsewhere.
inline int lowestSetBit(std::uint64_t bits) {
#if defined(__GNUC__)
    return __builtin_ctzll(bits);
#else
    constexpr std::uint64_t kDeBruijn = 0x03F79D71B4CB0A89u;
    static constexpr std::array<std::uint8_t, 64> kPositions = [] {
        std::array<std::uint8_t, 64> positions{};
        for (int i = 0; i < 64; ++i) positions[((kDeBruijn << i) >> 58) & 63] = static_cast<std::uint8_t>(i);
        return positions;
    }();
    return kPositions[((bits & (~bits + 1)) * kDeBruijn) >> 58];
#endif
}

}  // namespace

LineFeedMarks lineFeedBitsPortable(const char* at) { return portableLineFeedMarks(at); }

LineFeedMarks lineFeedBits(const char* at) { return lineFeedMarks(at); }

int lowestBit(std::uint64_t bits) { return lowestSetBit(bits); }

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

RulesTextInput::RulesTextInput(const std::filesystem::path& path) : path_(path), file_(path), window_(kWindowBytes) {
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

void RulesTextInput::windowChanged() { markedFrom_ = markedEnd_ = next_; }

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

// The line feeds are marked 64 bytes at a time: most lines are shorter, and are found
// among bits already at hand.
inline const char* RulesTextInput::nextLineFeed(const char* from, const char* end) {
    if (from >= markedFrom_ && from < markedEnd_) {
        const std::uint64_t ahead = lineFeedBits_ >> (from - markedFrom_);
        if (ahead != 0) {
            const char* lineFeed = from + lowestSetBit(ahead);
            return lineFeed < end ? lineFeed : nullptr;
        }
    }
    return markLineFeeds(from, end);
}

// Marks the line feeds from `from` on, block by block, up to the first before `end`. The
// marks stop at an end-of-text byte: no line that the fast readers take runs past one.
const char* RulesTextInput::markLineFeeds(const char* from, const char* end) {
    if (from >= markedFrom_ && from < markedEnd_) from = markedEnd_;  // none left in this block
    while (from < end) {
        auto bytes = std::min<std::ptrdiff_t>(64, windowEnd_ - from);
        // The window's tail, and a block with an end-of-text byte, are looked at byte by byte.
        const LineFeedMarks marks = bytes == 64 ? lineFeedMarks(from) : LineFeedMarks{0, true};
        std::uint64_t bits = marks.lineFeeds;
        if (marks.endOfTextAmong) {
            bits = 0;
            for (std::ptrdiff_t i = 0; i < bytes; ++i) {
                if (from[i] == static_cast<char>(kEndOfText)) bytes = i;
                bits |= std::uint64_t{i < bytes && from[i] == '\n'} << i;
            }
        }
        markedFrom_ = from;
        markedEnd_ = from + bytes;
        lineFeedBits_ = bits;
        if (bits != 0) {
            const char* lineFeed = from + lowestSetBit(bits);
            return lineFeed < end ? lineFeed : nullptr;
        }
        if (bytes < 64) break;  // the end of the window or of the text
        from = markedEnd_;
    }
    return nullptr;
}

// The usual case: a whole line, its line feed within the window and within `room`
// characters once a carriage return before it is dropped. Takes the line and gives its
// characters before the line end, where they lie in the window; false, with nothing read,
// for any other case.
bool RulesTextInput::takeWholeLine(std::string_view& text, std::size_t room) {
    if (!atLineStart_ || ended_ || next_ == windowEnd_) return false;  // an empty window too
    const std::size_t span = std::min(room + 1, static_cast<std::size_t>(windowEnd_ - next_));
    const char* lineFeed = nextLineFeed(next_, next_ + span);
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
    pieceInBlankLine_ = onlyBlanks(text);
    return true;
}

// The loop that skimPiece and the counting rule would make of these lines, without a call
// or a store for each: a huge text is mostly such lines.
std::int64_t RulesTextInput::skimPlainLines(std::size_t capacity, RulesTextPosition& afterLastCounted) {
    if (!atLineStart_ || ended_ || capacity < 2) return 0;
    const char* const first = next_;
    const char* at = next_;
    const char* afterCounted = nullptr;
    std::int64_t lineFeeds = lineFeedsRead_;
    std::int64_t lineFeedsAfterCounted = 0;
    std::int64_t counted = 0;
    bool loneLineFeed = false;
    bool blank = false;
    while (at != windowEnd_) {
        const std::size_t span = std::min(capacity, static_cast<std::size_t>(windowEnd_ - at));
        const char* lineFeed = nextLineFeed(at, at + span);
        if (lineFeed == nullptr) break;
        const bool crLf = lineFeed > at && lineFeed[-1] == '\r';
        const std::string_view body(at, static_cast<std::size_t>(lineFeed - at) - (crLf ? 1 : 0));
        if (body.size() + 2 > capacity || isSectionHeader(body)) break;
        blank = onlyBlanks(body);
        const RulesPieceView piece{body, true, blank};
        loneLineFeed = loneLineFeed || !crLf;
        ++lineFeeds;
        at = lineFeed + 1;
        if (isCountedLine(piece)) {
            ++counted;
            afterCounted = at;
            lineFeedsAfterCounted = lineFeeds;
        }
    }
    if (at == first) return 0;
    const auto passed = static_cast<std::uintmax_t>(at - first);
    if (counted > 0) {
        afterLastCounted = {bytesRead_ + static_cast<std::uintmax_t>(afterCounted - first), lineFeedsAfterCounted,
                            true};
    }
    bytesRead_ += passed;
    bytesSeen_ = std::max(bytesSeen_, bytesRead_);
    loneLineFeedSeen_ = loneLineFeedSeen_ || loneLineFeed;
    next_ = at;
    lineFeedsRead_ = lineFeeds;
    pieceLine_ = lineFeeds;
    pieceInBlankLine_ = blank;
    return counted;
}

// A text that is not open has no window: it takes no whole line.
bool RulesTextInput::skimPiece(RulesPieceView& piece, std::size_t capacity) {
    if (capacity >= 2 && takeWholeLine(piece.body, capacity - 1)) {
        piece.endsLine = true;
        piece.inBlankLine = pieceInBlankLine_;
        return true;
    }
    const bool read = readPiece(skimmed_, capacity);
    piece = viewOf(skimmed_, pieceInBlankLine_);
    return read;
}

// Whole lines are taken at once, runs of plain characters whole; the characters that the
// text mode translates one by one. The first piece of a line tells for all its pieces
// whether the line is blank.
bool RulesTextInput::readPiece(std::string& piece, std::size_t capacity) {
    piece.clear();
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
    if (startsLine) {
        pieceInBlankLine_ = onlyBlanks(viewOf(piece, false).body) && (atLineStart_ || endsHere() || restOfLineBlank());
    }
    return !piece.empty();
}

// The piece read last filled the buffer with blanks and tabs: the rest of its line decides.
// It is looked at in the window, where it mostly ends; a line that runs past the window is
// read on and the reader comes back.
bool RulesTextInput::restOfLineBlank() {
    const char* at = next_;
    while (at != windowEnd_ && (*at == ' ' || *at == '\t')) ++at;
    const bool lineEndSeen = at != windowEnd_ && (*at != '\r' || at + 1 != windowEnd_);
    if (lineEndSeen) {
        return *at == '\n' || *at == static_cast<char>(kEndOfText) || (*at == '\r' && at[1] == '\n');
    }
    if (memory_ != nullptr) return at == windowEnd_;  // the end of the text, or a lone carriage return last
    const RulesTextPosition here = position();
    const std::int64_t line = pieceLine_;
    int c = 0;
    while ((c = nextChar()) == ' ' || c == '\t') {
    }
    seek(here);
    pieceLine_ = line;
    return c < 0 || c == '\n';
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
            afterCr = output.writeFileBytes(next_, count, afterCr);
        }
        next_ += count;
        bytesRead_ += count;
    }
    lineFeedsRead_ = end.lineFeeds;
    atLineStart_ = end.atLineStart;
    pieceInBlankLine_ = end.inBlankLine;
    return true;
}

bool RulesTextInput::readFailed() const {
    return file_.error() || (ended_ && !endedByMark_ && bytesRead_ < sizeAtOpen_);
}

void RulesTextInput::rewind() { seek(RulesTextPosition{}); }

void RulesTextInput::seek(const RulesTextPosition& position) {
    if (memory_ != nullptr) {
        next_ = memory_->data() + std::min<std::uintmax_t>(position.byte, memory_->size());
        windowEnd_ = memory_->data() + memory_->size();
        windowChanged();
    } else if (file_.is_open()) {
        file_.clear();
        file_.seekg(static_cast<std::streamoff>(position.byte));
        next_ = windowEnd_ = markedFrom_ = markedEnd_ = nullptr;
    } else {
        return;
    }
    ended_ = false;
    endedByMark_ = false;
    bytesRead_ = position.byte;
    lineFeedsRead_ = position.lineFeeds;
    pieceLine_ = 0;
    atLineStart_ = position.atLineStart;
    pieceInBlankLine_ = position.inBlankLine;
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
bool RulesTextOutput::writeFileBytes(const char* bytes, std::size_t count, bool afterCr) {
    const char* const end = bytes + count;
    const char* runStart = bytes;
    for (const char* at = bytes; at != end; ++at) {
        at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (at == nullptr) break;
        const bool crBefore = at > bytes ? at[-1] == '\r' : afterCr;
        if (crBefore) continue;
        put(runStart, static_cast<std::size_t>(at - runStart));
        put("\r\n", 2);
        runStart = at + 1;
    }
    put(runStart, static_cast<std::size_t>(end - runStart));
    return count > 0 ? end[-1] == '\r' : afterCr;
}

bool RulesTextOutput::close() {
    if (memory_ != nullptr) return true;
    flushPending();
    return file_ != nullptr && file_->commit();
}
