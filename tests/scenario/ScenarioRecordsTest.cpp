#include <gtest/gtest.h>

#include <sstream>

#include "ConversionSupport.h"
#include "scenario/ScenarioRecords.h"

namespace {

// Converts one record from the start of `input`; `inputEnd` receives where the reading stopped.
Bytes convertRecord(int (*convert)(std::istream&, std::ostream&), const Bytes& input, std::streamoff* inputEnd) {
    std::istringstream in(asText(input));
    std::ostringstream out;
    EXPECT_EQ(convert(in, out), 1);
    *inputEnd = in.tellg();
    return asBytes(out.str());
}

}  // namespace

TEST(ScenarioRecords, RecordsGainTheirZeroWordAndConstantBytesWhateverTheInputHolds) {
    Bytes input(84 + 3);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<std::uint8_t>(100 + i);
    std::streamoff end = 0;
    const Bytes unit = convertRecord(convertUnitRecord, input, &end);
    EXPECT_EQ(end, 26);
    ASSERT_EQ(unit.size(), 40u);
    expectRegions(unit, input, 0, 0, {{0, 0, 4}, {4, kZeros, 2}, {6, 4, 18}, {24, kOnes, 2}, {26, 22, 4}});
    EXPECT_EQ(Bytes(unit.begin() + 30, unit.end()), (Bytes{2, 0, 0, 0, 2, 0, 2, 0, 0, 0}));
    const Bytes city = convertRecord(convertCityRecord, input, &end);
    EXPECT_EQ(end, 84);
    ASSERT_EQ(city.size(), 92u);
    expectRegions(city, input, 0, 0, {{0, 0, 4}, {4, kZeros, 2}, {6, 4, 53}, {60, 58, 26}});
    EXPECT_EQ(city[59], 156) << "input byte 57 is 157, in 80 to 220";
    EXPECT_EQ(Bytes(city.begin() + 86, city.end()), (Bytes{3, 0, 0, 0, 0, 0}));

    // Records cut short still have their full size, the missing bytes zero.
    const Bytes shortUnit = convertRecord(convertUnitRecord, Bytes(10, 0x11), &end);
    const Bytes shortCity = convertRecord(convertCityRecord, Bytes(57, 0x22), &end);
    ASSERT_EQ(shortUnit.size(), 40u);
    ASSERT_EQ(shortCity.size(), 92u);
    expectRegions(shortUnit, {}, 0, 0, {{12, kZeros, 12}, {24, kOnes, 2}, {26, kZeros, 4}});
    expectRegions(shortCity, {}, 0, 0, {{59, kZeros, 27}});
    EXPECT_EQ(shortCity[86], 3);
}

TEST(ScenarioRecords, CityByteBoundaries) {
    const std::pair<int, int> values[] = {{0, 0},     {79, 79},   {80, 79},  {150, 149},
                                          {220, 219}, {221, 221}, {255, 255}};
    for (const auto& [value, expected] : values) {
        Bytes input(84, 0xAA);
        input[57] = static_cast<std::uint8_t>(value);
        std::streamoff end = 0;
        EXPECT_EQ(convertRecord(convertCityRecord, input, &end).at(59), expected) << "city byte " << value;
    }
}
