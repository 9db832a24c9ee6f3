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
