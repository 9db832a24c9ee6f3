#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/LittleEndian.h"

// Little-endian values put into a file being made, at a byte offset.
inline void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    writeU16le(&out.at(at + 1) - 1, value);
}
inline void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    writeU32le(&out.at(at + 3) - 3, value);
}
