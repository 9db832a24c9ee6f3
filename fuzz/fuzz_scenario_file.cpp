// Arbitrary bytes as a scenario file: the probe either refuses them, for the reason that
// the file's own bytes give, or the conversion writes exactly as many bytes as the
// destination layout has room for.
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzStart.h"
#include "driver/ScenarioConverter.h"

namespace {

constexpr std::size_t kMaxInputBytes = 64 * 1024;
// The probe refuses a file shorter than its counts announce, so the output stays within
// twice the input and a few hundred KB; inputs whose output would still pass this bound
// are skipped all the same, so that no run of the fuzzer can grow out of memory.
constexpr std::int64_t kMaxOutputBytes = 8 << 20;

std::int64_t wordAt(const std::uint8_t* data, std::int64_t offset) { return data[offset] + 256 * data[offset + 1]; }

// What the probe must answer, worked out from the bytes alone.
ScenarioRefusal expectedRefusal(const std::uint8_t* data, std::int64_t size) {
    if (size <= 10 || (data[10] != 39 && data[10] != 40)) return ScenarioRefusal::UnsupportedVersion;
    const bool fantasticWorlds = data[10] == 40;
    const std::int64_t fixedPart = fantasticWorlds ? 16679 : 16409;
    const std::int64_t mapOffset = fantasticWorlds ? 13702 : 13432;
    if (size < 62 || size < mapOffset + 4) return ScenarioRefusal::ShorterThanCounts;
    const std::int64_t tail = size - fixedPart - wordAt(data, mapOffset) / 2 * wordAt(data, mapOffset + 2) * 13 -
                              26 * wordAt(data, 58) - 84 * wordAt(data, 60);
    return tail < 0 ? ScenarioRefusal::ShorterThanCounts : ScenarioRefusal::None;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzRun(argc, argv, FuzzSeedKind::ScenarioFile, kMaxInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto inputSize = static_cast<std::int64_t>(size);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream input(bytes, std::ios::binary);
    std::ostringstream console;
    ScenarioConverter converter(console);

    const ScenarioRefusal refusal = converter.probeScenario(input, nullptr);
    FUZZ_EXPECT(refusal == expectedRefusal(data, inputSize));
    FUZZ_EXPECT(console.str().empty());  // the probe leaves its messages to the driver
    if (refusal != ScenarioRefusal::None) return 0;

    const bool fantasticWorlds = data[10] == 40;
    FUZZ_EXPECT(converter.edition == (fantasticWorlds ? FantasticWorlds : Conflicts));
    FUZZ_EXPECT(converter.tailSize >= 0);
    const std::int64_t growth = (fantasticWorlds ? 25432 : 25702) + 14 * std::int64_t{converter.unitCount} +
                                8 * std::int64_t{converter.cityCount};
    if (inputSize + growth > kMaxOutputBytes) return 0;

    std::ostringstream output(std::ios::binary);
    FUZZ_EXPECT(converter.convertScenarioFile(input, output) == 1);
    FUZZ_EXPECT(output.good());
    const std::string converted = output.str();
    FUZZ_EXPECT(static_cast<std::int64_t>(converted.size()) == inputSize + growth);
    // The destination's version byte, the counts and the map size at their new places.
    FUZZ_EXPECT(converted[10] == 50 && converted[11] == 0);
    FUZZ_EXPECT(converted.compare(698, 4, bytes, 58, 4) == 0);
    FUZZ_EXPECT(converted.compare(29900, 4, bytes, converter.mapOffset, 4) == 0);
    return 0;
}
