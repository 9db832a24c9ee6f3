#pragma once

#include <cstdint>
#include <iosfwd>

// Reads `count` bytes at `position` of `file` into `into`; false when the file does not
// hold them or cannot be read.
bool readBytesAt(std::istream& file, std::int64_t position, std::uint8_t* into, std::int64_t count);
