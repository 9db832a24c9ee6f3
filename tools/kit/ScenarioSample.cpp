#include "kit/ScenarioSample.h"

#include <algorithm>
#include <fstream>
#include <functional>

#include "kit/Random.h"

std::int64_t scenarioFixedPartSize(ScenarioEdition edition) { return edition == FantasticWorlds ? 16679 : 16409; }

std::int64_t scenarioMapOffset(ScenarioEdition edition) { return edition == FantasticWorlds ? 13702 : 13432; }

std::int64_t scenarioFileSize(const ScenarioSampleOptions& options) {
    const std::int64_t mapBytes = std::int64_t{options.mapWidthWord / 2} * options.mapHeight * 13;
    return scenarioFixedPartSize(options.edition) + mapBytes + 26 * std::int64_t{options.unitCount} +
           84 * std::int64_t{options.cityCount} + options.tailBytes;
}

namespace {

void putWord(std::vector<std::uint8_t>& chunk, std::int64_t offset, std::uint16_t value) {
    if (offset + 1 >= static_cast<std::int64_t>(chunk.size())) return;
    chunk[offset] = static_cast<std::uint8_t>(value & 0xFF);
    chunk[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

// Produces the file in chunks; the fields the profile reads all lie in the first chunk.
void generateScenario(const ScenarioSampleOptions& options,
                      const std::function<void(const std::vector<std::uint8_t>&)>& sink) {
    constexpr std::int64_t kChunk = 1 << 20;
    static_assert(kChunk > 13702 + 4, "the header fields must lie in the first chunk");
    const std::int64_t size = scenarioFileSize(options);
    SampleRandom random(options.seed);
    std::vector<std::uint8_t> chunk;
    for (std::int64_t done = 0; done < size; done += kChunk) {
        chunk.resize(static_cast<std::size_t>(std::min(kChunk, size - done)));
        for (auto& byte : chunk) byte = random.byte();
        if (done == 0) {
            if (chunk.size() > 10) chunk[10] = options.edition == FantasticWorlds ? 40 : 39;
            putWord(chunk, 58, options.unitCount);
            putWord(chunk, 60, options.cityCount);
            const std::int64_t mapOffset = scenarioMapOffset(options.edition);
            putWord(chunk, mapOffset, options.mapWidthWord);
            putWord(chunk, mapOffset + 2, options.mapHeight);
        }
        sink(chunk);
    }
}

}  // namespace

std::vector<std::uint8_t> makeScenarioFile(const ScenarioSampleOptions& options) {
    std::vector<std::uint8_t> file;
    file.reserve(static_cast<std::size_t>(scenarioFileSize(options)));
    generateScenario(
        options, [&](const std::vector<std::uint8_t>& chunk) { file.insert(file.end(), chunk.begin(), chunk.end()); });
    return file;
}

bool writeScenarioFile(const std::filesystem::path& path, const ScenarioSampleOptions& options) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    generateScenario(options, [&](const std::vector<std::uint8_t>& chunk) {
        out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    });
    out.close();
    return !out.fail();
}
