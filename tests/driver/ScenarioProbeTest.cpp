#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/ScenarioConverter.h"
#include "kit/BitmapSample.h"
#include "kit/RulesSample.h"
#include "kit/ScenarioSample.h"
#include "kit/TempFolder.h"
#include "rules/RulesText.h"

namespace {

std::istringstream scenarioStream(const std::vector<std::uint8_t>& bytes) {
    return std::istringstream(std::string(bytes.begin(), bytes.end()), std::ios::binary);
}

// A rules text whose `position`th counted line is `line`, with comment and empty lines
// between the others; written with CR LF.
std::string rulesWithLineAt(int position, const std::string& line) {
    std::string text = "; a comment\n\n";
    for (int n = 1; n < position; ++n) {
        text += "Value " + std::to_string(n) + ", 1\n";
        if (n % 5 == 0) text += "; comment between\n\n";
    }
    text += line + "\nValue after, 2\n";
    return withCrLf(text);
}

class ProbeTest : public ::testing::Test {
protected:
    ScenarioEdition probeEdition(const std::string& rulesText) {
        writeFileBytes(folder / "Rules.txt", std::vector<std::uint8_t>(rulesText.begin(), rulesText.end()));
        RulesTextInput rules(folder / "Rules.txt");
        ScenarioSampleOptions options;
        options.edition = Classic;
        auto scenario = scenarioStream(makeScenarioFile(options));
        EXPECT_EQ(converter.probeScenario(scenario, &rules), ScenarioRefusal::None);
        return converter.edition;
    }

    TempFolder folder;
    std::ostringstream console;
    ScenarioConverter converter{console};
};

}  // namespace

TEST_F(ProbeTest, VersionFortyIsFantasticWorldsWhateverTheRules) {
    ScenarioSampleOptions options;
    options.edition = FantasticWorlds;
    auto scenario = scenarioStream(makeScenarioFile(options));
    EXPECT_EQ(converter.probeScenario(scenario, nullptr), ScenarioRefusal::None);
    EXPECT_EQ(converter.edition, FantasticWorlds);
    EXPECT_EQ(converter.fixedPartSize, 16679);
    EXPECT_EQ(converter.mapOffset, 13702);

    const std::string classicRules = rulesWithLineAt(23, "@CIVILIZE");
    writeFileBytes(folder / "Rules.txt", std::vector<std::uint8_t>(classicRules.begin(), classicRules.end()));
    RulesTextInput rules(folder / "Rules.txt");
    auto again = scenarioStream(makeScenarioFile(options));
    converter.probeScenario(again, &rules);
    EXPECT_EQ(converter.edition, FantasticWorlds);
}

TEST_F(ProbeTest, VersionThirtyNineWithoutRulesIsConflicts) {
    auto scenario = scenarioStream(makeScenarioFile(ScenarioSampleOptions{}));
    EXPECT_EQ(converter.probeScenario(scenario, nullptr), ScenarioRefusal::None);
    EXPECT_EQ(converter.edition, Conflicts);
    EXPECT_EQ(converter.fixedPartSize, 16409);
    EXPECT_EQ(converter.mapOffset, 13432);
}

TEST_F(ProbeTest, CivilizeAsTwentyThirdCountedLineIsClassic) {
    EXPECT_EQ(probeEdition(rulesWithLineAt(23, "@CIVILIZE")), Classic);
}

TEST_F(ProbeTest, NearMissesOfTheCivilizeRuleAreConflicts) {
    EXPECT_EQ(probeEdition(rulesWithLineAt(23, "@CIVILIZE ")), Conflicts);
    EXPECT_EQ(probeEdition(rulesWithLineAt(23, "@civilize")), Conflicts);
    EXPECT_EQ(probeEdition(rulesWithLineAt(22, "@CIVILIZE")), Conflicts);
    EXPECT_EQ(probeEdition(rulesWithLineAt(24, "@CIVILIZE")), Conflicts);
    EXPECT_EQ(probeEdition(withCrLf("@COSMIC\nshort, 1\n")), Conflicts);
}

TEST_F(ProbeTest, ColonLinesCountForTheEditionProbe) {
    // The probe counts a line that begins with ":", unlike the rules merge.
    std::string text = "@COSMIC\n: a colon line\n";
    for (int n = 3; n <= 22; ++n) text += "Value " + std::to_string(n) + ", 1\n";
    EXPECT_EQ(probeEdition(withCrLf(text + "@CIVILIZE\n")), Classic);
}

TEST_F(ProbeTest, SampleRulesOfEachEditionAreTold) {
    ScenarioRulesOptions rules;
    rules.edition = Classic;
    EXPECT_EQ(probeEdition(withCrLf(makeScenarioRules(rules))), Classic);
    rules.edition = Conflicts;
    EXPECT_EQ(probeEdition(withCrLf(makeScenarioRules(rules))), Conflicts);
}

TEST_F(ProbeTest, ProbeLeavesBothStreamsAtTheirStart) {
    const std::string text = rulesWithLineAt(23, "@CIVILIZE");
    writeFileBytes(folder / "Rules.txt", std::vector<std::uint8_t>(text.begin(), text.end()));
    RulesTextInput rules(folder / "Rules.txt");
    auto scenario = scenarioStream(makeScenarioFile(ScenarioSampleOptions{}));
    converter.probeScenario(scenario, &rules);
    EXPECT_EQ(scenario.tellg(), 0);
    std::string piece;
    ASSERT_TRUE(rules.readPiece(piece, 180));
    EXPECT_EQ(piece, "; a comment\n");
}

TEST_F(ProbeTest, CountsMapAndTail) {
    ScenarioSampleOptions options;
    options.mapWidthWord = 20;
    options.mapHeight = 10;
    options.unitCount = 3;
    options.cityCount = 2;
    options.tailBytes = 100;
    auto bytes = makeScenarioFile(options);
    ASSERT_EQ(bytes.size(), 16409u + 10 * 10 * 13 + 3 * 26 + 2 * 84 + 100);
    bytes[11] = 0xEE;  // only byte 10 tells the version
    auto scenario = scenarioStream(bytes);
    EXPECT_EQ(converter.probeScenario(scenario, nullptr), ScenarioRefusal::None);
    EXPECT_EQ(converter.unitCount, 3);
    EXPECT_EQ(converter.cityCount, 2);
    EXPECT_EQ(converter.mapHalfWidth, 10);
    EXPECT_EQ(converter.mapHeight, 10);
    EXPECT_EQ(converter.tailSize, 100);
}

TEST_F(ProbeTest, OddWidthWordIsHalvedDownward) {
    ScenarioSampleOptions options;
    options.mapWidthWord = 81;
    auto scenario = scenarioStream(makeScenarioFile(options));
    converter.probeScenario(scenario, nullptr);
    EXPECT_EQ(converter.mapHalfWidth, 40);
    converter.scenarioName = "Rome.scn";
    converter.printScenarioInfo();
    EXPECT_NE(console.str().find("Map Size:80x50\n"), std::string::npos);
}

TEST_F(ProbeTest, RefusesUnsupportedVersionsAndTinyFiles) {
    auto bytes = makeScenarioFile(ScenarioSampleOptions{});
    bytes[10] = 44;
    auto other = scenarioStream(bytes);
    EXPECT_EQ(converter.probeScenario(other, nullptr), ScenarioRefusal::UnsupportedVersion);

    auto tiny = scenarioStream(std::vector<std::uint8_t>(10, 39));
    EXPECT_EQ(converter.probeScenario(tiny, nullptr), ScenarioRefusal::UnsupportedVersion);
}

TEST_F(ProbeTest, RefusesFilesShorterThanTheirCounts) {
    auto bytes = makeScenarioFile(ScenarioSampleOptions{});
    auto whole = scenarioStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 500));
    EXPECT_EQ(converter.probeScenario(whole, nullptr), ScenarioRefusal::None);
    EXPECT_EQ(converter.tailSize, 0);

    auto oneShort = scenarioStream(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 501));
    EXPECT_EQ(converter.probeScenario(oneShort, nullptr), ScenarioRefusal::ShorterThanCounts);

    // Ends inside the counts, and before the map header.
    for (std::size_t size : {12u, 61u, 13435u}) {
        auto cut = scenarioStream(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + size));
        EXPECT_EQ(converter.probeScenario(cut, nullptr), ScenarioRefusal::ShorterThanCounts) << size;
    }
}

TEST(ScenarioInfo, PrintsTitleAndFactsForEachEdition) {
    const struct {
        ScenarioEdition edition;
        const char* line;
    } cases[] = {{Classic, "Civ2 Classic Scenario Detected!\n"},
                 {Conflicts, "Civ2 Conflict Scenario Detected!\n"},
                 {FantasticWorlds, "Fantastic Worlds Scenario Detected!\n"}};
    for (const auto& c : cases) {
        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.scenarioName = "Rome.scn";
        converter.edition = c.edition;
        converter.mapHalfWidth = 40;
        converter.mapHeight = 50;
        converter.unitCount = 100;
        converter.cityCount = 20;
        EXPECT_EQ(converter.printScenarioInfo(), 1);
        EXPECT_EQ(console.str(), std::string("Tavorel V1.2\nScenario File: Rome.scn\n") + c.line +
                                     "Map Size:80x50\nTotal Units:100\nTotal Cities:20\n");
    }
}
