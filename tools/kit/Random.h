#pragma once

#include <cstdint>

// A small deterministic generator (xorshift64*), so that sample data depends on the seed
// alone and is the same on every platform and compiler.
class SampleRandom {
public:
    explicit SampleRandom(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next() >> 56); }
    // A number in [0, bound).
    std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>((next() >> 32) % bound); }

private:
    std::uint64_t state_;
};
