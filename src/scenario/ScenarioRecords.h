#pragma once

#include <cstdint>
#include <iosfwd>

// The records that follow the middle block: `unitCount` unit records, then `cityCount`
// city records. Each call converts one record at the streams' current positions and
// returns 1.

constexpr std::int32_t kUnitRecordInputBytes = 26;
constexpr std::int32_t kUnitRecordOutputBytes = 40;
constexpr std::int32_t kCityRecordInputBytes = 84;
constexpr std::int32_t kCityRecordOutputBytes = 92;

int convertUnitRecord(std::istream& input, std::ostream& output);
int convertCityRecord(std::istream& input, std::ostream& output);

// The one city byte (record offset 57) whose value changes: 80 to 220 become one less.
constexpr std::uint8_t adjustedCityByte(std::uint8_t value) {
    return value >= 80 && value <= 220 ? static_cast<std::uint8_t>(value - 1) : value;
}
