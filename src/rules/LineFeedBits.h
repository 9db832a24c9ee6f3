#pragma once

#include <array>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVOREL_LINE_FEEDS_BY_SSE2 1
#endif

// Where the line feeds stand among 64 bytes, as the bits of a number: bit i for the byte
// at + i; and whether the end-of-text byte stands among them. A huge rules text is mostly
// short lines; finding their ends from such bits, 64 bytes at a time, spares a search for
// each line.
struct LineFeedMarks {
    std::uint64_t lineFeeds;
    bool endOfTextAmong;
};

namespace line_feed_bits {

// Eight bytes as a number whose lowest byte is the first, whatever the machine's byte
// order (compilers make this one load).
inline std::uint64_t littleEndianWord(const char* at) {
    const auto* b = reinterpret_cast<const unsigned char*>(at);
    return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 | std::uint64_t{b[2]} << 16 | std::uint64_t{b[3]} << 24 |
           std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 | std::uint64_t{b[6]} << 48 |
           std::uint64_t{b[7]} << 56;
}

}  // namespace line_feed_bits

// Plain C++, eight bytes at a time: the high bit of each byte that is a line feed, gathered.
inline LineFeedMarks lineFeedBitsPortable(const char* at) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kHighBits = kOnes * 0x80;
    constexpr std::uint64_t kLow7 = kOnes * 0x7F;
    constexpr std::uint64_t kLineFeeds = kOnes * '\n';
    constexpr std::uint64_t kEndOfText = kOnes * 0x1A;
    constexpr std::uint64_t kGather = 0x0002040810204081u;  // the bytes' high bits into the top byte
    std::uint64_t bits = 0;
    std::uint64_t anyEnd = 0;
    for (int word = 0; word < 8; ++word) {
        const std::uint64_t bytes = line_feed_bits::littleEndianWord(at + 8 * word);
        const std::uint64_t x = bytes ^ kLineFeeds;
        const std::uint64_t zeroBytes = ~(((x & kLow7) + kLow7) | x | kLow7);  // high bits of the zero bytes
        bits |= ((zeroBytes * kGather) >> 56) << (8 * word);
        const std::uint64_t y = bytes ^ kEndOfText;
        anyEnd |= (y - kOnes) & ~y & kHighBits;  // not zero when a byte of y is
    }
    return {bits, anyEnd != 0};
}

// The same, sixteen bytes in one compare where the processor has them (every x86-64 one).
inline LineFeedMarks lineFeedBits(const char* at) {
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
    return lineFeedBitsPortable(at);
#endif
}

// The number of the lowest set bit of a number that has one: one instruction where the
// compiler offers it, a multiplication and a table without a branch elsewhere.
inline int lowestBit(std::uint64_t bits) {
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
