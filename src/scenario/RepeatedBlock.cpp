#include "driver/ScenarioConverter.h"
#include "scenario/ConversionSteps.h"
#include "scenario/ScenarioLayout.h"

namespace {

// One of the eight repeated blocks. Offsets from the start of the block; the rows are
// aligned by output offset; where a Classic run spans two FantasticWorlds rows, its second
// cell is empty. The FantasticWorlds file already carries some fields of the
// destination that the Classic file lacks: those are copied instead of written.
constexpr std::array<EditionRow, 15> kRepeatedBlock{{
    //      Classic and Conflicts                 FantasticWorlds
    bothEditions(0, zeroWords(4)),
    bothEditions(8, copyWords(50)),                                               // input 0-99
    {{108, zeroWords(1)}, {108, copyWords(1)}},                                   // FW input 100-101
    bothEditions(110, copyWords(6)),                                              // input 100-111, FW 102-113
    {{122, writeBytes(255, 255, 255, 255, 255, 255, 255)}, {122, copyBytes(7)}},  // FW input 114-120
    bothEditions(129, copyBytes(94)),                                             // input 112-205, FW 121-214
    {{223, zeroBytes(1613)}, {223, copyBytes(23)}},                               // FW input 215-237
    {{1836, nothing()}, {246, zeroWords(795)}},                                   // (Classic: the zeros above)
    bothEditions(1836, copyBytes(675)),                                           // input 206-880, FW 238-912
    bothEditions(2511, copyWords(1)),                                             // input 881-882, FW 913-914
    bothEditions(2513, zeroWords(96)),
    bothEditions(2705, copyWords(51)),  // input 883-984, FW 915-1016
    bothEditions(2807, zeroWords(49)),
    bothEditions(2905, copyBytes(315)),  // input 985-1299, FW 1017-1331
    bothEditions(3220, nothing()),       // the sub-records follow
}};

// The block ends with 16 sub-records of 6 input and 8 output bytes each.
constexpr int kSubRecordCount = 16;
constexpr std::array<PlacedStep, 3> kSubRecord{{
    {0, copyWords(2)},  // input 0-3
    {4, zeroWords(1)},
    {6, copyWords(1)},  // input 4-5
}};

constexpr auto kClassicColumn = columnOf(kRepeatedBlock, EditionLayout::ClassicOrConflicts);
constexpr auto kFantasticWorldsColumn = columnOf(kRepeatedBlock, EditionLayout::FantasticWorlds);
static_assert(offsetsFollowOn(kClassicColumn) && offsetsFollowOn(kFantasticWorldsColumn) && offsetsFollowOn(kSubRecord),
              "repeated block rows out of place");
static_assert(inputBytes(kClassicColumn) + kSubRecordCount * inputBytes(kSubRecord) == kRepeatedBlockInputBytes,
              "repeated block input size");
static_assert(inputBytes(kFantasticWorldsColumn) + kSubRecordCount * inputBytes(kSubRecord) ==
                  kRepeatedBlockInputBytesFantasticWorlds,
              "FantasticWorlds repeated block input size");
static_assert(outputBytes(kClassicColumn) + kSubRecordCount * outputBytes(kSubRecord) == kRepeatedBlockOutputBytes &&
                  outputBytes(kFantasticWorldsColumn) == outputBytes(kClassicColumn),
              "repeated block output size");

}  // namespace

int ScenarioConverter::convertRepeatedBlock(std::istream& input, std::ostream& output) {
    const EditionLayout column = layoutOf(edition);
    if (column == EditionLayout::None) return 1;
    runSteps(kRepeatedBlock, column, input, output);
    for (int subRecord = 0; subRecord < kSubRecordCount; ++subRecord) runSteps(kSubRecord, input, output);
    return 1;
}
