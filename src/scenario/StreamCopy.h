#pragma once

#include <cstdint>
#include <iosfwd>

// The two primitives every step of the scenario conversion is made of. Counts are in
// 16-bit words when `wide` is true (raw bytes, no byte order touched), else in bytes;
// a count of zero or below moves nothing. Both return 1.

// Runs are moved in pieces of this size, so that memory stays bounded however large the
// map data or the tail of a scenario is.
constexpr std::int64_t kCopyChunkBytes = 64 * 1024;

// Moves `count` units from `source` to `destination`. The destination always grows by the
// full count: where the source ends first, the missing bytes are written as zeros, so every
// later step still lands at its place. Stops early only once the destination has failed,
// whose state then tells the caller.
int copyBlock(std::istream& source, std::ostream& destination, std::int64_t count, bool wide);

// Appends `count` units of zero bytes to `destination`.
int writeZeros(std::ostream& destination, std::int64_t count, bool wide);
