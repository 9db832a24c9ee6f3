#pragma once

#include <cstdint>

// Sizes of the parts of a scenario file, in the source editions and in the destination.

// The few fields of a source file that the profile reads: the version byte, which tells the
// layout, and the unit and city counts, little-endian 16-bit words of the file header. The
// map header begins with the map's width word and its height word.
constexpr std::int32_t kVersionByteOffset = 10;
constexpr std::uint8_t kVersionByteClassic = 39;  // Classic and Conflicts share one layout
constexpr std::uint8_t kVersionByteFantasticWorlds = 40;
constexpr std::uint8_t kVersionByteDestination = 50;
constexpr std::int32_t kUnitCountOffset = 58;
constexpr std::int32_t kCityCountOffset = 60;
constexpr std::int32_t kMapWidthField = 0;
constexpr std::int32_t kMapHeightField = 2;

constexpr std::int32_t kHeaderInputBytes = 2266;
constexpr std::int32_t kHeaderInputBytesFantasticWorlds = 2280;
constexpr std::int32_t kHeaderOutputBytes = 2946;

constexpr std::int32_t kRepeatedBlockCount = 8;
constexpr std::int32_t kRepeatedBlockInputBytes = 1396;
constexpr std::int32_t kRepeatedBlockInputBytesFantasticWorlds = 1428;
constexpr std::int32_t kRepeatedBlockOutputBytes = 3348;

// The destination's map header stands after a zero fill that begins two bytes before the
// end of the eighth block: the last word that block copies is taken back.
constexpr std::int32_t kTakenBackBytes = 2;
constexpr std::int32_t kMapHeaderLeadWords = 86;
constexpr std::int32_t kMapHeaderOutputOffset = 29900;
constexpr std::int32_t kMapHeaderInputBytes = 14;
constexpr std::int32_t kMapHeaderOutputBytes = 16;
constexpr std::int64_t kMapTileBytes = 13;

constexpr std::int32_t kMiddleBlockInputBytes = 1024;
constexpr std::int32_t kMiddleBlockOutputBytes = 10240;

constexpr std::int32_t kClosingBlockInputBytes = 1939;
constexpr std::int32_t kClosingBlockOutputBytes = 1953;

static_assert(kHeaderOutputBytes + kRepeatedBlockCount * kRepeatedBlockOutputBytes - kTakenBackBytes +
                      2 * kMapHeaderLeadWords ==
                  kMapHeaderOutputOffset,
              "the map header must begin at output offset 29900");

// Where a source file's map header begins: after the file header and the eight repeated
// blocks, less the word that the eighth block shares with it.
constexpr std::int32_t sourceMapOffset(std::int32_t headerBytes, std::int32_t repeatedBlockBytes) {
    return headerBytes + kRepeatedBlockCount * repeatedBlockBytes - kTakenBackBytes;
}
// All of a source file but its map data, its unit and city records and its tail: the parts
// up to the map header, the map header, the middle block and the closing block.
constexpr std::int32_t sourceFixedPartSize(std::int32_t mapOffset) {
    return mapOffset + kMapHeaderInputBytes + kMiddleBlockInputBytes + kClosingBlockInputBytes;
}

constexpr std::int32_t kSourceMapOffset = sourceMapOffset(kHeaderInputBytes, kRepeatedBlockInputBytes);
constexpr std::int32_t kSourceMapOffsetFantasticWorlds =
    sourceMapOffset(kHeaderInputBytesFantasticWorlds, kRepeatedBlockInputBytesFantasticWorlds);
static_assert(kSourceMapOffset == 13432 && kSourceMapOffsetFantasticWorlds == 13702,
              "the map header lies at 13432, or 13702 in a Fantastic Worlds file");
static_assert(sourceFixedPartSize(kSourceMapOffset) == 16409 &&
                  sourceFixedPartSize(kSourceMapOffsetFantasticWorlds) == 16679,
              "the fixed part is 16409 bytes, or 16679 in a Fantastic Worlds file");
