#pragma once

#include <cstdint>

// Multi-byte values of the file formats (the scenario file, the pictures), read from their
// bytes by width and byte order.
inline std::uint32_t readU16le(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8;
}
inline std::uint32_t readU32le(const std::uint8_t* bytes) { return readU16le(bytes) | readU16le(bytes + 2) << 16; }
inline std::int32_t readI32le(const std::uint8_t* bytes) {
    const std::uint32_t value = readU32le(bytes);
    return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value) : -static_cast<std::int32_t>(~value) - 1;
}

// And written so, for the files that the project's own tools make.
inline void writeU16le(std::uint8_t* bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void writeU32le(std::uint8_t* bytes, std::uint32_t value) {
    writeU16le(bytes, value & 0xFFFF);
    writeU16le(bytes + 2, value >> 16);
}
