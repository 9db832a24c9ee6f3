#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ConversionSupport.h"
#include "scenario/StreamCopy.h"

TEST(StreamCopy, CountsAreWordsOnlyWhenWideAndAShortSourceEndsInZeros) {
    std::istringstream source(std::string("\x34\x12" "abcdefghijklmn", 16));
    std::ostringstream destination;
    for (const std::int64_t count : {0, -1, -100000}) {
        EXPECT_EQ(copyBlock(source, destination, count, true), 1);
        EXPECT_EQ(writeZeros(destination, count, false), 1);
    }
    EXPECT_EQ(source.tellg(), 0) << "zero and negative counts move nothing";
    EXPECT_EQ(copyBlock(source, destination, 5, true), 1);
    EXPECT_EQ(destination.str(), std::string("\x34\x12" "abcdefgh", 10)) << "words move as raw bytes";
    EXPECT_EQ(copyBlock(source, destination, 2, false), 1);
    EXPECT_EQ(source.tellg(), 12);
    copyBlock(source, destination, 6, false);  // four bytes left
    copyBlock(source, destination, 2, true);   // the source has already ended
    EXPECT_EQ(writeZeros(destination, 3, true), 1);
    writeZeros(destination, 3, false);
    EXPECT_EQ(destination.str(), std::string("\x34\x12" "abcdefghijklmn", 16) + std::string(2 + 4 + 9, '\0'));
}

TEST(StreamCopy, RunsLongerThanAChunkAreByteIdentical) {
    const std::size_t size = 2 * kCopyChunkBytes + 12345;
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    std::istringstream source(text);
    std::ostringstream destination;
    copyBlock(source, destination, static_cast<std::int64_t>(size) / 2, true);  // an odd word count
    EXPECT_EQ(destination.str(), text.substr(0, size - 1));

    // A short source across chunk boundaries: what is there, then zeros up to the count.
    std::istringstream shortSource(text.substr(0, kCopyChunkBytes + 10));
    std::ostringstream padded;
    copyBlock(shortSource, padded, 3 * kCopyChunkBytes, false);
    EXPECT_EQ(padded.str(), text.substr(0, kCopyChunkBytes + 10) + std::string(2 * kCopyChunkBytes - 10, '\0'));

    std::ostringstream zeros;
    writeZeros(zeros, kCopyChunkBytes + 3, true);
    EXPECT_EQ(zeros.str(), std::string(2 * kCopyChunkBytes + 6, '\0'));
}
