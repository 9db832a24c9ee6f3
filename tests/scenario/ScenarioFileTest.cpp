#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "ConversionSupport.h"

namespace {

// Where each edition's parts lie, written out from the file layouts, not taken from the
// converter: the header and one repeated block, whose regions differ by edition.
struct EditionLayout {
    std::int64_t headerBytes, blockBytes, mapOffset, sizeGrowth;
    std::vector<Region> header, block;
};

const EditionLayout kClassicLayout{
    2266, 1396, 13432, 25702,
    {{0, 0, 10}, {12, kZeros, 640}, {652, 12, 52}, {704, kZeros, 14}, {718, 64, 188}, {906, 252, 318},
     {1224, kZeros, 26}, {1250, 570, 1696}},
    {{0, kZeros, 8}, {8, 0, 100}, {108, kZeros, 2}, {110, 100, 12}, {122, kOnes, 7}, {129, 112, 94},
     {223, kZeros, 1613}, {1836, 206, 677}, {2513, kZeros, 192}, {2705, 883, 102}, {2807, kZeros, 98},
     {2905, 985, 315}}};

const EditionLayout kFantasticWorldsLayout{
    2280, 1428, 13702, 25432,
    {{0, 0, 10}, {12, kZeros, 640}, {652, 12, 52}, {704, 64, 188}, {892, 252, 14}, {906, 266, 318},
     {1224, kZeros, 26}, {1250, 584, 1696}},
    {{0, kZeros, 8}, {8, 0, 122}, {122, 114, 7}, {129, 121, 117}, {246, kZeros, 1590}, {1836, 238, 677},
     {2513, kZeros, 192}, {2705, 915, 102}, {2807, kZeros, 98}, {2905, 1017, 315}}};

// The Classic example of 47189 bytes: map 80 x 50, 100 units, 20 cities, a tail of 500 bytes.
const ScenarioSampleOptions kClassicExample{Classic, 80, 50, 100, 20, 500, 7};

// Every region of the output, from the file header to the closing block.
void expectLayout(const ScenarioSampleOptions& options, const Bytes& input, const Bytes& output) {
    const EditionLayout& e = options.edition == FantasticWorlds ? kFantasticWorldsLayout : kClassicLayout;
    const std::int64_t map = std::int64_t{options.mapWidthWord / 2} * options.mapHeight * 13;
    const std::int64_t tail = options.tailBytes, units = options.unitCount, cities = options.cityCount;
    ASSERT_EQ(output.size(), input.size() + e.sizeGrowth + 14 * units + 8 * cities);
    EXPECT_EQ(output[10], 50);
    EXPECT_EQ(output[11], 0);
    expectRegions(output, input, 0, 0, e.header);
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE("repeated block " + std::to_string(k + 1));
        const std::int64_t in = e.headerBytes + e.blockBytes * k, out = 2946 + 3348 * k;
        expectRegions(output, input, out, in, e.block);
        for (int j = 0; j < 16; ++j) {
            const std::int64_t sub = e.blockBytes - 96 + 6 * j;
            const bool takenBack = k == 7 && j == 15;  // the map header's zero fill begins there
            expectRegions(output, input, out + 8 * j, in,
                          {{3220, sub, 4}, {3224, kZeros, 2}, {3226, takenBack ? kZeros : sub + 4, 2}});
        }
    }
    expectRegions(output, input, 0, e.mapOffset,
                  {{29728, kZeros, 172}, {29900, 0, 14}, {29914, kZeros, 2}, {29916, 14, map},
                   {29916 + map, 8, 2} /* word 4 again */, {29918 + map, 14 + map, tail}});

    const std::int64_t middleIn = e.mapOffset + 14 + map + tail, middleOut = 29918 + map + tail;
    expectRegions(output, input, middleOut, middleIn,
                  {{0, kZeros, 24}, {24, 0, 32}, {56, kZeros, 72}, {128, 32, 40}, {168, kZeros, 1416},
                   {1584, 72, 942}, {2526, kZeros, 7704}, {10230, 1014, 10}});
    const std::int64_t unitsIn = middleIn + 1024, unitsOut = middleOut + 10240;
    const std::int64_t citiesIn = unitsIn + 26 * units, citiesOut = unitsOut + 40 * units;
    // The first and the last record of each kind.
    for (std::int64_t u = 0; u < units; u += std::max<std::int64_t>(1, units - 1)) {
        expectRegions(output, input, unitsOut + 40 * u, unitsIn + 26 * u, {{0, 0, 4}, {6, 4, 18}, {26, 22, 4}});
    }
    for (std::int64_t c = 0; c < cities; c += std::max<std::int64_t>(1, cities - 1)) {
        expectRegions(output, input, citiesOut + 92 * c, citiesIn + 84 * c, {{0, 0, 4}, {6, 4, 53}, {60, 58, 26}});
    }
    expectRegions(output, input, citiesOut + 92 * cities, citiesIn + 84 * cities,
                  {{0, 0, 116}, {116, kZeros, 12}, {128, 116, 1482}, {1610, kZeros, 2}, {1612, 1598, 341}});
}

}  // namespace

TEST(ScenarioFile, EveryRegionLandsAtItsOffsetInEachEdition) {
    const ScenarioSampleOptions samples[] = {
        //  edition          map word, height  units cities  tail             seed
        kClassicExample,
        {FantasticWorlds,    80, 50,           100,  20,     500,             7},
        {Conflicts,          80, 50,           0,    0,      500,             7},
        {FantasticWorlds,    80, 50,           0,    1,      500,             7},
        {Classic,            400, 120,         100,  20,     3 * 65536 + 77,  7},  // runs over several chunks
    };
    for (const ScenarioSampleOptions& options : samples) {
        SCOPED_TRACE(::testing::Message() << "sample " << &options - samples);
        Bytes input = makeScenarioFile(options);
        input[11] = 0x77;  // the source's own version word is not carried over
        const Bytes output = convertScenarioBytes(input, options.edition);
        expectLayout(options, input, output);
        if (options.edition == Classic) {
            EXPECT_EQ(output, convertScenarioBytes(input, Conflicts));
        }
    }
}

// The profile refuses a file shorter than its counts; a stream that ends early anyway (a
// file cut while it was read) still gives a file of the full size, its missing bytes zero.
TEST(ScenarioFile, ClassicExampleHasTheDestinationSizeEvenWhenItsInputIsCutShort) {
    const Bytes whole = makeScenarioFile(kClassicExample);
    ASSERT_EQ(whole.size(), 47189u);
    ProfiledConverter profiled(whole);
    for (const std::size_t cut : {whole.size(), std::size_t{5000}, std::size_t{13000}, std::size_t{40000}}) {
        SCOPED_TRACE("input of " + std::to_string(cut) + " bytes");
        std::istringstream in(asText(Bytes(whole.begin(), whole.begin() + cut)), std::ios::binary);
        std::ostringstream out(std::ios::binary);
        profiled.converter.convertScenarioFile(in, out);
        const Bytes output = asBytes(out.str());
        ASSERT_EQ(output.size(), 74451u);
        if (cut < whole.size()) expectRegions(output, whole, 0, 0, {{74451 - 341, kZeros, 341}});
    }
}

TEST(ScenarioFile, UnknownEditionWritesNothing) {
    const Bytes input = makeScenarioFile(kClassicExample);
    ProfiledConverter profiled(input);
    profiled.converter.edition = static_cast<ScenarioEdition>(0);
    std::istringstream in(asText(input), std::ios::binary);
    std::ostringstream out;
    EXPECT_EQ(profiled.converter.convertScenarioFile(in, out), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(in.tellg(), 0);
}
