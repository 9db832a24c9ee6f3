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

// Profiles `input` as the given edition and converts it in memory. `inputEnd` receives the
// input position once the conversion is done (-1 when the input stream failed).
inline Bytes convertScenarioBytes(const Bytes& input, ScenarioEdition edition,
                                  std::streamoff* inputEnd = nullptr) {
    std::istringstream in(asText(input), std::ios::binary);
    std::ostringstream console;
    ScenarioConverter converter(console);
    EXPECT_EQ(converter.probeScenario(in, nullptr), ScenarioRefusal::None);
    converter.edition = edition;  // the rules text alone tells Classic from Conflicts
    std::ostringstream out(std::ios::binary);
    converter.convertScenarioFile(in, out);
    EXPECT_TRUE(out.good());
    EXPECT_EQ(console.str(), "") << "the conversion prints nothing";
    if (inputEnd != nullptr) {
        *inputEnd = in.tellg();
        if (*inputEnd >= 0) {
            EXPECT_EQ(in.peek(), std::char_traits<char>::eof());
        }
    }
    return asBytes(out.str());
}

inline Bytes convertSample(const ScenarioSampleOptions& options) {
    return convertScenarioBytes(makeScenarioFile(options), options.edition);
}

// Region checks that name the offsets on failure.
inline ::testing::AssertionResult sameBytes(const Bytes& output, std::int64_t outputOffset, const Bytes& input,
                                            std::int64_t inputOffset, std::int64_t length) {
    if (outputOffset + length > static_cast<std::int64_t>(output.size()) ||
        inputOffset + length > static_cast<std::int64_t>(input.size())) {
        return ::testing::AssertionFailure() << "region reaches past the end";
    }
    for (std::int64_t i = 0; i < length; ++i) {
        if (output[outputOffset + i] != input[inputOffset + i]) {
            return ::testing::AssertionFailure() << "output " << outputOffset + i << " differs from input "
                                                 << inputOffset + i;
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult filledWith(const Bytes& output, std::int64_t offset, std::int64_t length,
                                             std::uint8_t value = 0) {
    if (offset + length > static_cast<std::int64_t>(output.size())) {
        return ::testing::AssertionFailure() << "region reaches past the end";
    }
    for (std::int64_t i = 0; i < length; ++i) {
        if (output[offset + i] != value) {
            return ::testing::AssertionFailure() << "output " << offset + i << " is " << int{output[offset + i]}
                                                 << ", not " << int{value};
        }
    }
    return ::testing::AssertionSuccess();
}
