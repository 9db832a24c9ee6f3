#include "scenario/ScenarioRecords.h"

#include "scenario/ConversionSteps.h"

namespace {

// Offsets from the start of the record in each file.
constexpr std::array<PlacedStep, 6> kUnitRecord{{
    {0, copyWords(2)},  // input 0-3
    {4, zeroWords(1)},
    {6, copyWords(9)},  // input 4-21
    {24, writeBytes(255, 255)},
    {26, copyWords(2)},  // input 22-25
    {30, writeBytes(2, 0, 0, 0, 2, 0, 2, 0, 0, 0)},
}};
static_assert(offsetsFollowOn(kUnitRecord), "unit record rows out of place");
static_assert(inputBytes(kUnitRecord) == kUnitRecordInputBytes, "unit record input size");
static_assert(outputBytes(kUnitRecord) == kUnitRecordOutputBytes, "unit record output size");

constexpr std::array<PlacedStep, 7> kCityRecord{{
    {0, copyWords(2)},  // input 0-3
    {4, zeroWords(1)},
    {6, copyWords(26)},            // input 4-55
    {58, copyBytes(1)},            // input 56
    {59, copyAdjustedCityByte()},  // input 57
    {60, copyWords(13)},           // input 58-83
    {86, writeBytes(3, 0, 0, 0, 0, 0)},
}};
static_assert(offsetsFollowOn(kCityRecord), "city record rows out of place");
static_assert(inputBytes(kCityRecord) == kCityRecordInputBytes, "city record input size");
static_assert(outputBytes(kCityRecord) == kCityRecordOutputBytes, "city record output size");

}  // namespace

int convertUnitRecord(std::istream& input, std::ostream& output) {
    runSteps(kUnitRecord, input, output);
    return 1;
}

int convertCityRecord(std::istream& input, std::ostream& output) {
    runSteps(kCityRecord, input, output);
    return 1;
}
