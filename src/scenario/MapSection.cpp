#include <array>
#include <istream>
#include <ostream>

#include "driver/ScenarioConverter.h"
#include "scenario/ScenarioLayout.h"
#include "scenario/StreamCopy.h"

// The map header, the map data and the tail. The header is read again from its first
// byte, whatever the repeated blocks read before; its word 4 is written a second time
// after the map data.
int ScenarioConverter::convertMapSection(std::istream& input, std::ostream& output) {
    input.clear();  // a position is set, not a read continued
    input.seekg(mapOffset);
    copyBlock(input, output, 4, true);  // width, height and two further words

    std::array<char, 2> wordFour{};  // stays zero where the input holds no such word
    input.read(wordFour.data(), wordFour.size());
    output.write(wordFour.data(), wordFour.size());

    copyBlock(input, output, 2, true);
    writeZeros(output, 1, true);  // the destination's eighth header word
    static_assert(4 * 2 + 2 + 2 * 2 == kMapHeaderInputBytes && 4 * 2 + 2 + 2 * 2 + 2 == kMapHeaderOutputBytes,
                  "map header sizes");

    const std::int64_t mapBytes = std::int64_t{mapHalfWidth} * mapHeight * kMapTileBytes;
    copyBlock(input, output, mapBytes, false);
    output.write(wordFour.data(), wordFour.size());
    copyBlock(input, output, tailSize, false);
    return 1;
}
