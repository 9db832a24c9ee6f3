#include <gtest/gtest.h>

#include <sstream>

#include "ConversionSupport.h"
#include "scenario/ScenarioRecords.h"

namespace {

Bytes countingBytes(std::size_t size, int start) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(start + i);
    return bytes;
}

}  // namespace

TEST(ScenarioRecords, UnitRecordGainsItsZeroWordAndConstants) {
    const Bytes input = countingBytes(26 + 3, 1);
    std::istringstream in(asText(input));
    std::ostringstream out;
    EXPECT_EQ(convertUnitRecord(in, out), 1);
    const Bytes output = asBytes(out.str());
    ASSERT_EQ(output.size(), 40u);
    EXPECT_EQ(in.tellg(), 26);
    EXPECT_TRUE(sameBytes(output, 0, input, 0, 4));
    EXPECT_TRUE(filledWith(output, 4, 2, 0));
    EXPECT_TRUE(sameBytes(output, 6, input, 4, 18));
    EXPECT_TRUE(filledWith(output, 24, 2, 255));
    EXPECT_TRUE(sameBytes(output, 26, input, 22, 4));
    EXPECT_EQ(Bytes(output.begin() + 30, output.end()), (Bytes{2, 0, 0, 0, 2, 0, 2, 0, 0, 0}));
}

TEST(ScenarioRecords, CityRecordGainsItsFieldsAndAdjustsOneByte) {
    const Bytes input = countingBytes(84, 100);
    std::istringstream in(asText(input));
    std::ostringstream out;
    EXPECT_EQ(convertCityRecord(in, out), 1);
    const Bytes output = asBytes(out.str());
    ASSERT_EQ(output.size(), 92u);
    EXPECT_EQ(in.tellg(), 84);
    EXPECT_TRUE(sameBytes(output, 0, input, 0, 4));
    EXPECT_TRUE(filledWith(output, 4, 2, 0));
    EXPECT_TRUE(sameBytes(output, 6, input, 4, 53));
    EXPECT_EQ(output[59], input[57] - 1) << "157 lies in 80 to 220";
    EXPECT_TRUE(sameBytes(output, 60, input, 58, 26));
    EXPECT_EQ(Bytes(output.begin() + 86, output.end()), (Bytes{3, 0, 0, 0, 0, 0}));
}

TEST(ScenarioRecords, CityByteBoundaries) {
    const std::uint8_t values[] = {0, 79, 80, 150, 220, 221, 255};
    const std::uint8_t expected[] = {0, 79, 79, 149, 219, 221, 255};
    for (std::size_t i = 0; i < sizeof values; ++i) {
        Bytes input(84, 0xAA);
        input[57] = values[i];
        std::istringstream in(asText(input));
        std::ostringstream out;
        convertCityRecord(in, out);
        EXPECT_EQ(static_cast<std::uint8_t>(out.str()[59]), expected[i]) << "city byte " << int{values[i]};
    }
}

TEST(ScenarioRecords, RecordsCutShortStillHaveTheirFullSize) {
    std::istringstream unit(std::string(10, '\x11'));
    std::istringstream city(std::string(57, '\x22'));
    std::ostringstream out;
    convertUnitRecord(unit, out);
    convertCityRecord(city, out);
    const Bytes output = asBytes(out.str());
    ASSERT_EQ(output.size(), 40u + 92u);
    EXPECT_TRUE(filledWith(output, 12, 12, 0)) << "missing unit bytes are zeros";
    EXPECT_EQ(output[24], 255);
    EXPECT_TRUE(filledWith(output, 40 + 59, 27, 0)) << "missing city bytes are zeros";
    EXPECT_EQ(output[40 + 86], 3);
}
