#pragma once

#include <cstddef>
#include <cstdint>

// What the decoders that read a file whole are given: a whole file, or its pixel data, in
// memory.
struct PictureBytes {
    const std::uint8_t* data;
    std::size_t size;
};
