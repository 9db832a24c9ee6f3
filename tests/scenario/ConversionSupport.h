#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "kit/ScenarioSample.h"

using Bytes = std::vector<std::uint8_t>;

inline std::string asText(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
inline Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A converter that has profiled `input`, as a run does before converting it.
struct ProfiledConverter {
    explicit ProfiledConverter(const Bytes& input) {
        std::istringstream in(asText(input), std::ios::binary);
        EXPECT_EQ(converter.probeScenario(in, nullptr), ScenarioRefusal::None);
    }
    std::ostringstream console;
    ScenarioConverter converter{console};
};

// Converts `input` in memory as `edition` (the rules text alone tells Classic from
// Conflicts) and checks that the input was read exactly to its end.
inline Bytes convertScenarioBytes(const Bytes& input, ScenarioEdition edition) {
    ProfiledConverter profiled(input);
    profiled.converter.edition = edition;
    std::istringstream in(asText(input), std::ios::binary);
    std::ostringstream out(std::ios::binary);
    profiled.converter.convertScenarioFile(in, out);
    EXPECT_TRUE(out.good());
    EXPECT_EQ(profiled.console.str(), "") << "the conversion prints nothing";
    EXPECT_EQ(in.tellg(), static_cast<std::streamoff>(input.size())) << "input read exactly to its end";
    return asBytes(out.str());
}

// A run of output bytes: a copy of the input from offset `in`, or bytes of one value.
struct Region {
    std::int64_t out, in, length;
};
constexpr std::int64_t kZeros = -1;  // `in` of a run of zero bytes
constexpr std::int64_t kOnes = -2;   // `in` of a run of 255 bytes

// Checks each region, its offsets taken from the bases; a failure names the first byte.
inline void expectRegions(const Bytes& output, const Bytes& input, std::int64_t outBase, std::int64_t inBase,
                          const std::vector<Region>& regions) {
    for (const Region& r : regions) {
        for (std::int64_t i = 0; i < r.length; ++i) {
            const std::int64_t at = outBase + r.out + i, from = inBase + r.in + i;
            const int expected = r.in == kZeros ? 0 : r.in == kOnes ? 255 : input.at(from);
            ASSERT_LT(at, static_cast<std::int64_t>(output.size()));
            if (output[at] != expected) {
                ADD_FAILURE() << "output byte " << at << " is " << int{output[at]} << ", expected " << expected
                              << (r.in >= 0 ? " from input byte " + std::to_string(from) : std::string());
                break;
            }
        }
    }
}
