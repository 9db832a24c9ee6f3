#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The colours of a palette picture as the 24-bit rows hold them (blue, green, red), for
// every index a pixel can carry: indices that the file's colour table does not reach are
// black, so that no pixel is read from outside the table.
class PaletteColours {
public:
    static constexpr std::size_t kIndices = 256;

    void set(std::size_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        bgr_[3 * index] = blue;
        bgr_[3 * index + 1] = green;
        bgr_[3 * index + 2] = red;
    }
    // Writes the colours of `count` indices into `row`, 3 bytes each.
    void expand(const std::uint8_t* indices, std::size_t count, std::uint8_t* row) const {
        for (std::size_t i = 0; i < count; ++i, row += 3) {
            const std::uint8_t* colour = &bgr_[3 * std::size_t{indices[i]}];
            row[0] = colour[0];
            row[1] = colour[1];
            row[2] = colour[2];
        }
    }

private:
    std::array<std::uint8_t, 3 * kIndices> bgr_{};
};
