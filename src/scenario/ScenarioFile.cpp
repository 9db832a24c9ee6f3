#include <istream>
#include <ostream>

#include "driver/ScenarioConverter.h"
#include "scenario/ConversionSteps.h"
#include "scenario/ScenarioLayout.h"
#include "scenario/ScenarioRecords.h"
#include "scenario/StreamCopy.h"

namespace {

// The file header. The FantasticWorlds file already holds the seven words that the
// Classic file lacks, after the 94 words that Classic copies behind its zero fill.
constexpr std::array<EditionRow, 12> kFileHeader{{
    //      Classic and Conflicts              FantasticWorlds
    bothEditions(0, copyWords(5)),                             // input 0-9
    bothEditions(10, writeBytes(kVersionByteDestination, 0)),  // the destination's version byte
    bothEditions(12, skipBytes(2)),                            // input 10-11: the source's
    bothEditions(12, zeroWords(320)),
    bothEditions(652, copyWords(26)),             // input 12-63, unit and city counts
    {{704, zeroWords(7)}, {704, copyWords(94)}},  // FW input 64-251
    {{718, copyWords(94)}, {892, copyWords(7)}},  // input 64-251, FW 252-265
    bothEditions(906, copyWords(28)),             // input 252-307, FW 266-321
    bothEditions(962, copyWords(131)),            // input 308-569, FW 322-583
    bothEditions(1224, zeroWords(13)),
    bothEditions(1250, copyWords(848)),  // input 570-2265, FW 584-2279
    bothEditions(2946, nothing()),       // the repeated blocks follow
}};
constexpr auto kHeaderClassic = columnOf(kFileHeader, EditionLayout::ClassicOrConflicts);
constexpr auto kHeaderFantasticWorlds = columnOf(kFileHeader, EditionLayout::FantasticWorlds);
static_assert(offsetsFollowOn(kHeaderClassic) && offsetsFollowOn(kHeaderFantasticWorlds),
              "file header rows out of place");
// The rows the profile's fields fall in: the version byte is the one dropped (row 2), the
// counts are copied in row 4, in both editions.
static_assert(inputOffsetOfRow(kHeaderClassic, 2) == kVersionByteOffset &&
                  inputOffsetOfRow(kHeaderFantasticWorlds, 2) == kVersionByteOffset,
              "the version byte is the one the header drops");
static_assert(inputOffsetOfRow(kHeaderClassic, 4) <= kUnitCountOffset &&
                  kCityCountOffset + 2 <= inputOffsetOfRow(kHeaderClassic, 5) &&
                  inputOffsetOfRow(kHeaderFantasticWorlds, 4) <= kUnitCountOffset &&
                  kCityCountOffset + 2 <= inputOffsetOfRow(kHeaderFantasticWorlds, 5),
              "the unit and city counts are copied with the header's fifth row");
static_assert(inputBytes(kHeaderClassic) == kHeaderInputBytes &&
                  inputBytes(kHeaderFantasticWorlds) == kHeaderInputBytesFantasticWorlds,
              "file header input size");
static_assert(outputBytes(kHeaderClassic) == kHeaderOutputBytes &&
                  outputBytes(kHeaderFantasticWorlds) == kHeaderOutputBytes,
              "file header output size");

// The block between the tail and the unit records; the same for every edition.
constexpr std::array<PlacedStep, 11> kMiddleBlock{{
    {0, zeroWords(12)},
    {24, copyWords(8)},  // input 0-15
    {40, copyWords(8)},  // input 16-31
    {56, zeroWords(36)},
    {128, copyWords(16)},  // input 32-63
    {160, copyWords(4)},   // input 64-71
    {168, zeroWords(708)},
    {1584, copyWords(470)},  // input 72-1011
    {2524, copyWords(1)},    // input 1012-1013
    {2526, zeroWords(3852)},
    {10230, copyWords(5)},  // input 1014-1023
}};
static_assert(offsetsFollowOn(kMiddleBlock), "middle block rows out of place");
static_assert(inputBytes(kMiddleBlock) == kMiddleBlockInputBytes, "middle block input size");
static_assert(outputBytes(kMiddleBlock) == kMiddleBlockOutputBytes, "middle block output size");

// The block after the city records, up to the end of the file.
constexpr std::array<PlacedStep, 6> kClosingBlock{{
    {0, copyWords(58)},  // input 0-115
    {116, zeroWords(6)},
    {128, copyWords(603)},   // input 116-1321
    {1334, copyWords(138)},  // input 1322-1597
    {1610, zeroWords(1)},
    {1612, copyBytes(341)},  // input 1598-1938
}};
static_assert(offsetsFollowOn(kClosingBlock), "closing block rows out of place");
static_assert(inputBytes(kClosingBlock) == kClosingBlockInputBytes, "closing block input size");
static_assert(outputBytes(kClosingBlock) == kClosingBlockOutputBytes, "closing block output size");

}  // namespace

// One forward pass through the file. The FantasticWorlds file ends where its closing
// block ends, like the Classic one: nothing is written beyond that block.
int ScenarioConverter::convertScenarioFile(std::istream& input, std::ostream& output) {
    const EditionLayout column = layoutOf(edition);
    if (column == EditionLayout::None) return 1;

    runSteps(kFileHeader, column, input, output);
    for (int block = 0; block < kRepeatedBlockCount; ++block) convertRepeatedBlock(input, output);
    // The eighth block's last word is the map header's first; the zero fill takes its place.
    output.seekp(-kTakenBackBytes, std::ios::cur);
    writeZeros(output, kMapHeaderLeadWords, true);
    convertMapSection(input, output);
    if (!output) return 1;  // nothing more could be written; the stream tells the caller

    runSteps(kMiddleBlock, input, output);
    for (std::int32_t unit = 0; unit < unitCount && output; ++unit) convertUnitRecord(input, output);
    for (std::int32_t city = 0; city < cityCount && output; ++city) convertCityRecord(input, output);
    runSteps(kClosingBlock, input, output);
    return 1;
}
