#include <gtest/gtest.h>

#include <sstream>

#include "ConversionSupport.h"

namespace {

// Offsets below are written out from the file layouts, not taken from the converter.
constexpr std::int64_t kClassicMapOffset = 13432;
constexpr std::int64_t kFantasticMapOffset = 13702;

struct SampleSizes {
    std::int64_t map, tail, units, cities;
};

SampleSizes sizesOf(const ScenarioSampleOptions& options) {
    return {std::int64_t{options.mapWidthWord / 2} * options.mapHeight * 13, options.tailBytes,
            options.unitCount, options.cityCount};
}

ScenarioSampleOptions classicExample() {
    ScenarioSampleOptions options;  // map 80 x 50, 100 units, 20 cities, tail 500
    options.edition = Classic;
    options.seed = 7;
    return options;
}

}  // namespace

TEST(ScenarioFile, ClassicExampleGrowsToTheDestinationSize) {
    Bytes input = makeScenarioFile(classicExample());
    ASSERT_EQ(input.size(), 47189u);
    input[11] = 0x77;
    std::streamoff inputEnd = 0;
    const Bytes output = convertScenarioBytes(input, Classic, &inputEnd);
    EXPECT_EQ(output.size(), 74451u);
    EXPECT_EQ(inputEnd, 47189) << "the input is read exactly to its end";
    EXPECT_EQ(output[10], 50);
    EXPECT_EQ(output[11], 0);
    EXPECT_TRUE(sameBytes(output, 698, input, 58, 4)) << "unit and city counts";
    EXPECT_EQ(output[29900], 80);
    EXPECT_EQ(output[29902], 50);
}

TEST(ScenarioFile, ClassicAndConflictsGiveTheSameBytes) {
    const Bytes input = makeScenarioFile(classicExample());
    EXPECT_EQ(convertScenarioBytes(input, Classic), convertScenarioBytes(input, Conflicts));
}

TEST(ScenarioFile, ClassicRegionsLandAtTheirOffsets) {
    const ScenarioSampleOptions options = classicExample();
    const SampleSizes s = sizesOf(options);
    const Bytes input = makeScenarioFile(options);
    const Bytes output = convertScenarioBytes(input, Classic);

    EXPECT_TRUE(sameBytes(output, 0, input, 0, 10));
    EXPECT_TRUE(filledWith(output, 12, 640));
    EXPECT_TRUE(filledWith(output, 704, 14)) << "Classic has no such seven words";
    EXPECT_TRUE(sameBytes(output, 718, input, 64, 188));
    EXPECT_TRUE(sameBytes(output, 906, input, 252, 318));
    EXPECT_TRUE(filledWith(output, 1224, 26));
    EXPECT_TRUE(sameBytes(output, 1250, input, 570, 1696));

    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE("repeated block " + std::to_string(k + 1));
        const std::int64_t in = 2266 + 1396 * k, out = 2946 + 3348 * k;
        EXPECT_TRUE(filledWith(output, out, 8));
        EXPECT_TRUE(sameBytes(output, out + 8, input, in, 100));
        EXPECT_TRUE(filledWith(output, out + 108, 2));
        EXPECT_TRUE(sameBytes(output, out + 110, input, in + 100, 12));
        EXPECT_TRUE(filledWith(output, out + 122, 7, 255));
        EXPECT_TRUE(sameBytes(output, out + 129, input, in + 112, 94));
        EXPECT_TRUE(filledWith(output, out + 223, 1613));
        EXPECT_TRUE(sameBytes(output, out + 1836, input, in + 206, 677));
        EXPECT_TRUE(filledWith(output, out + 2513, 192));
        EXPECT_TRUE(sameBytes(output, out + 2705, input, in + 883, 102));
        EXPECT_TRUE(filledWith(output, out + 2807, 98));
        EXPECT_TRUE(sameBytes(output, out + 2905, input, in + 985, 315));
        for (int j = 0; j < 16; ++j) {
            EXPECT_TRUE(sameBytes(output, out + 3220 + 8 * j, input, in + 1300 + 6 * j, 4));
            EXPECT_TRUE(filledWith(output, out + 3224 + 8 * j, 2));
            if (k < 7 || j < 15) {  // the very last word is taken back
                EXPECT_TRUE(sameBytes(output, out + 3226 + 8 * j, input, in + 1304 + 6 * j, 2));
            }
        }
    }

    EXPECT_TRUE(filledWith(output, 29728, 172)) << "the eighth block's last word is taken back";
    EXPECT_TRUE(sameBytes(output, 29900, input, kClassicMapOffset, 14));
    EXPECT_TRUE(filledWith(output, 29914, 2));
    EXPECT_TRUE(sameBytes(output, 29916, input, 13446, s.map));
    EXPECT_TRUE(sameBytes(output, 29916 + s.map, input, kClassicMapOffset + 8, 2)) << "word 4 again";
    EXPECT_TRUE(sameBytes(output, 29918 + s.map, input, 13446 + s.map, s.tail));

    const std::int64_t middleIn = 13446 + s.map + s.tail, middleOut = 29918 + s.map + s.tail;
    EXPECT_TRUE(filledWith(output, middleOut, 24));
    EXPECT_TRUE(sameBytes(output, middleOut + 24, input, middleIn, 32));
    EXPECT_TRUE(sameBytes(output, middleOut + 128, input, middleIn + 32, 40));
    EXPECT_TRUE(sameBytes(output, middleOut + 1584, input, middleIn + 72, 942));
    EXPECT_TRUE(filledWith(output, middleOut + 2526, 7704));
    EXPECT_TRUE(sameBytes(output, middleOut + 10230, input, middleIn + 1014, 10));

    const std::int64_t unitsIn = middleIn + 1024, unitsOut = middleOut + 10240;
    for (std::int64_t u : {std::int64_t{0}, s.units - 1}) {
        EXPECT_TRUE(sameBytes(output, unitsOut + 40 * u + 26, input, unitsIn + 26 * u + 22, 4));
    }
    const std::int64_t citiesIn = unitsIn + 26 * s.units, citiesOut = unitsOut + 40 * s.units;
    for (std::int64_t c : {std::int64_t{0}, s.cities - 1}) {
        EXPECT_TRUE(sameBytes(output, citiesOut + 92 * c + 60, input, citiesIn + 84 * c + 58, 26));
    }

    const std::int64_t closingIn = citiesIn + 84 * s.cities, closingOut = citiesOut + 92 * s.cities;
    EXPECT_EQ(closingOut, 40158 + s.map + s.tail + 40 * s.units + 92 * s.cities);
    EXPECT_TRUE(sameBytes(output, closingOut, input, closingIn, 116));
    EXPECT_TRUE(filledWith(output, closingOut + 116, 12));
    EXPECT_TRUE(sameBytes(output, closingOut + 128, input, closingIn + 116, 1482));
    EXPECT_TRUE(filledWith(output, closingOut + 1610, 2));
    EXPECT_TRUE(sameBytes(output, closingOut + 1612, input, closingIn + 1598, 341));
}

TEST(ScenarioFile, FantasticWorldsCopiesTheFieldsItAlreadyHas) {
    ScenarioSampleOptions options = classicExample();
    options.edition = FantasticWorlds;
    const SampleSizes s = sizesOf(options);
    const Bytes input = makeScenarioFile(options);
    std::streamoff inputEnd = 0;
    const Bytes output = convertScenarioBytes(input, FantasticWorlds, &inputEnd);

    EXPECT_EQ(static_cast<std::int64_t>(output.size()), static_cast<std::int64_t>(input.size()) + 25432 +
                                                            14 * s.units + 8 * s.cities);
    EXPECT_EQ(inputEnd, static_cast<std::streamoff>(input.size())) << "nothing is read beyond the closing block";
    EXPECT_EQ(output[10], 50);
    EXPECT_TRUE(sameBytes(output, 704, input, 64, 188)) << "step 6";
    EXPECT_TRUE(sameBytes(output, 892, input, 252, 14)) << "step 7";
    EXPECT_TRUE(sameBytes(output, 906, input, 266, 318));
    EXPECT_TRUE(sameBytes(output, 1250, input, 584, 1696));
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE("repeated block " + std::to_string(k + 1));
        const std::int64_t in = 2280 + 1428 * k, out = 2946 + 3348 * k;
        EXPECT_TRUE(sameBytes(output, out + 8, input, in, 122));
        EXPECT_TRUE(sameBytes(output, out + 122, input, in + 114, 7));
        EXPECT_TRUE(sameBytes(output, out + 129, input, in + 121, 117));
        EXPECT_TRUE(filledWith(output, out + 246, 1590));
        EXPECT_TRUE(sameBytes(output, out + 1836, input, in + 238, 677));
        EXPECT_TRUE(sameBytes(output, out + 3220, input, in + 1332, 4));
    }
    EXPECT_TRUE(filledWith(output, 29728, 172));
    EXPECT_TRUE(sameBytes(output, 29900, input, kFantasticMapOffset, 14));
    EXPECT_TRUE(sameBytes(output, 29916 + s.map, input, kFantasticMapOffset + 8, 2));
    const std::int64_t closingIn = 14740 + s.map + s.tail + 26 * s.units + 84 * s.cities;
    const std::int64_t closingOut = 40158 + s.map + s.tail + 40 * s.units + 92 * s.cities;
    EXPECT_TRUE(sameBytes(output, closingOut + 1612, input, closingIn + 1598, 341));
}

TEST(ScenarioFile, NoUnitsAndNoCities) {
    ScenarioSampleOptions options = classicExample();
    options.unitCount = 0;
    options.cityCount = 0;
    const SampleSizes s = sizesOf(options);
    const Bytes input = makeScenarioFile(options);
    const Bytes output = convertScenarioBytes(input, Conflicts);
    ASSERT_EQ(static_cast<std::int64_t>(output.size()), static_cast<std::int64_t>(input.size()) + 25702);
    const std::int64_t closingOut = 40158 + s.map + s.tail;
    EXPECT_TRUE(sameBytes(output, closingOut, input, 14470 + s.map + s.tail, 116)) << "closing follows middle";
}

TEST(ScenarioFile, LargeMapAndTailCrossChunkBoundaries) {
    ScenarioSampleOptions options = classicExample();
    options.mapWidthWord = 400;  // 200 x 120 tiles: 156000 map bytes
    options.mapHeight = 120;
    options.tailBytes = 3 * 65536 + 77;
    const SampleSizes s = sizesOf(options);
    const Bytes input = makeScenarioFile(options);
    std::streamoff inputEnd = 0;
    const Bytes output = convertScenarioBytes(input, Classic, &inputEnd);
    ASSERT_EQ(static_cast<std::int64_t>(output.size()),
              static_cast<std::int64_t>(input.size()) + 25702 + 14 * s.units + 8 * s.cities);
    EXPECT_EQ(inputEnd, static_cast<std::streamoff>(input.size()));
    EXPECT_TRUE(sameBytes(output, 29916, input, 13446, s.map));
    EXPECT_TRUE(sameBytes(output, 29918 + s.map, input, 13446 + s.map, s.tail));
    const std::int64_t closingIn = 14470 + s.map + s.tail + 26 * s.units + 84 * s.cities;
    const std::int64_t closingOut = 40158 + s.map + s.tail + 40 * s.units + 92 * s.cities;
    EXPECT_TRUE(sameBytes(output, closingOut + 1612, input, closingIn + 1598, 341));
}

// The profile refuses a file shorter than its counts; a stream that ends early anyway (a
// file cut while it was read) still gives a file of the full size, its missing bytes zero.
TEST(ScenarioFile, InputCutShortStillGivesTheFullSize) {
    const Bytes whole = makeScenarioFile(classicExample());
    std::istringstream profileSource(asText(whole), std::ios::binary);
    std::ostringstream console;
    ScenarioConverter converter(console);
    ASSERT_EQ(converter.probeScenario(profileSource, nullptr), ScenarioRefusal::None);
    for (const std::size_t cut : {std::size_t{5000}, std::size_t{13000}, std::size_t{40000}}) {
        std::istringstream in(asText(Bytes(whole.begin(), whole.begin() + cut)), std::ios::binary);
        std::ostringstream out(std::ios::binary);
        converter.convertScenarioFile(in, out);
        const Bytes output = asBytes(out.str());
        EXPECT_EQ(output.size(), 74451u) << "cut at " << cut;
        EXPECT_TRUE(filledWith(output, output.size() - 341, 341)) << "cut at " << cut;
    }
}

TEST(ScenarioFile, UnknownEditionWritesNothing) {
    const Bytes input = makeScenarioFile(classicExample());
    std::istringstream in(asText(input), std::ios::binary);
    std::ostringstream console, out;
    ScenarioConverter converter(console);
    ASSERT_EQ(converter.probeScenario(in, nullptr), ScenarioRefusal::None);
    converter.edition = static_cast<ScenarioEdition>(0);
    EXPECT_EQ(converter.convertScenarioFile(in, out), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(in.tellg(), 0);
}
