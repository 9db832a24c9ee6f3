#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ConversionSupport.h"
#include "scenario/StreamCopy.h"

namespace {

std::string numberedBytes(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return text;
}

}  // namespace

TEST(StreamCopy, CountsAreWordsOnlyWhenWide) {
    std::istringstream source(std::string("\x34\x12" "abcdefghijklmn", 16));
    std::ostringstream destination;
    EXPECT_EQ(copyBlock(source, destination, 5, true), 1);
    EXPECT_EQ(destination.str(), std::string("\x34\x12" "abcdefgh", 10)) << "words move as raw bytes";
    EXPECT_EQ(copyBlock(source, destination, 5, false), 1);
    EXPECT_EQ(source.tellg(), 15);
    EXPECT_EQ(destination.str().size(), 15u);

    std::ostringstream zeros;
    writeZeros(zeros, 3, true);
    EXPECT_EQ(zeros.str(), std::string(6, '\0'));
    writeZeros(zeros, 3, false);
    EXPECT_EQ(zeros.str(), std::string(9, '\0'));
}

TEST(StreamCopy, ZeroAndNegativeCountsMoveNothing) {
    std::istringstream source("abc");
    std::ostringstream destination;
    for (const std::int64_t count : {0, -1, -100000}) {
        EXPECT_EQ(copyBlock(source, destination, count, true), 1);
        EXPECT_EQ(writeZeros(destination, count, false), 1);
    }
    EXPECT_EQ(source.tellg(), 0);
    EXPECT_EQ(destination.str(), "");
    EXPECT_TRUE(source.good() && destination.good());
}

TEST(StreamCopy, ShortSourceStillWritesTheFullCountAsZeros) {
    std::istringstream source("wxyz");
    std::ostringstream destination;
    copyBlock(source, destination, 6, false);
    EXPECT_EQ(destination.str(), std::string("wxyz\0\0", 6));
    copyBlock(source, destination, 2, true);  // the source has already ended
    EXPECT_EQ(destination.str(), std::string("wxyz\0\0\0\0\0\0", 10));
}

TEST(StreamCopy, RunsLongerThanAChunkAreByteIdentical) {
    const std::size_t size = 2 * kCopyChunkBytes + 12345;
    const std::string text = numberedBytes(size);
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
