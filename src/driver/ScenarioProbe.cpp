#include <array>
#include <istream>
#include <string>

#include "base/LittleEndian.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"
#include "scenario/ScenarioLayout.h"
#include "scenario/ScenarioRecords.h"

namespace {

// Layout constants chosen by the version byte at offset 10.
struct VersionLayout {
    std::uint8_t versionByte;
    std::int32_t fixedPartSize;  // all but map data, unit and city records and the tail
    std::int32_t mapOffset;      // the map header: width word, then height word
};
constexpr VersionLayout kFantasticWorldsLayout{
    kVersionByteFantasticWorlds, sourceFixedPartSize(kSourceMapOffsetFantasticWorlds), kSourceMapOffsetFantasticWorlds};
constexpr VersionLayout kClassicLayout{kVersionByteClassic, sourceFixedPartSize(kSourceMapOffset), kSourceMapOffset};

// Reads the little-endian 16-bit word at an absolute offset; false when the file ends first.
bool readWordAt(std::istream& in, std::streamoff offset, std::int32_t& value) {
    in.clear();
    in.seekg(offset);
    std::uint8_t bytes[2];
    if (!in.read(reinterpret_cast<char*>(bytes), 2)) return false;
    value = static_cast<std::int32_t>(readU16le(bytes));
    return true;
}

void rewindStream(std::istream& in) {
    in.clear();
    in.seekg(0);
}

constexpr int kCivilizeLineNumber = 23;

}  // namespace

ScenarioRefusal ScenarioConverter::probeScenario(std::istream& scenario, RulesTextInput* rules) {
    std::array<char, kVersionByteOffset + 2> header{};  // the first six words
    rewindStream(scenario);
    scenario.read(header.data(), header.size());
    ScenarioRefusal unsupported(ScenarioRefusal::UnsupportedVersion);
    if (scenario.gcount() <= kVersionByteOffset) {
        unsupported.fileSize = scenario.gcount();
        return unsupported;
    }

    const std::uint8_t version = static_cast<std::uint8_t>(header[kVersionByteOffset]);
    VersionLayout layout;
    if (version == kFantasticWorldsLayout.versionByte) {
        layout = kFantasticWorldsLayout;
    } else if (version == kClassicLayout.versionByte) {
        layout = kClassicLayout;
    } else {
        unsupported.versionByte = version;
        return unsupported;
    }
    fixedPartSize = layout.fixedPartSize;
    mapOffset = layout.mapOffset;

    std::int32_t widthWord = 0;
    if (!readWordAt(scenario, kUnitCountOffset, unitCount) || !readWordAt(scenario, kCityCountOffset, cityCount) ||
        !readWordAt(scenario, mapOffset + kMapWidthField, widthWord) ||
        !readWordAt(scenario, mapOffset + kMapHeightField, mapHeight)) {
        rewindStream(scenario);
        return ScenarioRefusal::ShorterThanCounts;
    }
    mapHalfWidth = widthWord / 2;

    scenario.clear();
    scenario.seekg(0, std::ios::end);
    const std::int64_t fileSize = scenario.tellg();
    tailSize = fileSize - fixedPartSize - std::int64_t{mapHalfWidth} * mapHeight * kMapTileBytes -
               std::int64_t{unitCount} * kUnitRecordInputBytes - std::int64_t{cityCount} * kCityRecordInputBytes;
    rewindStream(scenario);
    if (tailSize < 0) return ScenarioRefusal::ShorterThanCounts;

    if (layout.versionByte == kFantasticWorldsLayout.versionByte) {
        edition = FantasticWorlds;
    } else {
        edition = probeRulesEdition(rules) == Classic ? Classic : Conflicts;
    }
    return ScenarioRefusal::None;
}

// A Classic rules text has "@CIVILIZE" as its 23rd line that is neither a comment nor empty
// (a ":" line counts here).
int ScenarioConverter::probeRulesEdition(RulesTextInput* rules) {
    if (rules == nullptr || !rules->isOpen()) return Conflicts;
    int result = Conflicts;
    int counted = 0;
    std::string line;
    while (rules->readPiece(line, kSectionLineCapacity)) {
        if (isCommentOrEmpty(line, rules->pieceInBlankLine())) continue;
        if (++counted == kCivilizeLineNumber) {
            if (line == "@CIVILIZE\n") result = Classic;
            break;
        }
    }
    rules->rewind();
    return result;
}
