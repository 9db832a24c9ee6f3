#pragma once

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "base/Outcome.h"

// Reads `count` bytes at `position` of `file` into `into`; false when the file does not
// hold them or cannot be read.
bool readBytesAt(std::istream& file, std::int64_t position, std::uint8_t* into, std::int64_t count);

// Reads the bytes of `file` from `begin` to its end (`fileSize`) into `bytes`.
Outcome readFileRest(std::istream& file, std::int64_t begin, std::int64_t fileSize, std::vector<std::uint8_t>& bytes);
