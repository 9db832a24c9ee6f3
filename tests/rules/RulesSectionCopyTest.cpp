#include <gtest/gtest.h>

#include <string>

#include "RulesTestFiles.h"

namespace {

// Runs one section copy on `input` and returns what it wrote (CR LF form).
std::string copySection(const std::string& input, int skipCount, int copyCount) {
    RulesCopyBench bench(input);
    bench.converter().copyRulesSection(bench.input(), bench.output(), skipCount, copyCount);
    return bench.written();
}

const std::string kLong200(200, 'x');

}  // namespace

TEST(CopyRulesSection, CommentEmptyAndColonLinesDoNotCountBlankLedLinesDo) {
    RulesCopyBench bench("; note, 1\n\n: remark, 2\n  blank led\n\ttab led\nThird\n");
    EXPECT_EQ(bench.converter().copyRulesSection(bench.input(), bench.output(), 0, 2), 1);
    EXPECT_EQ(bench.nextLine(), "Third\n");
    EXPECT_EQ(bench.written(), withCrLf("; note, 1\n\n: remark, 2\n  blank led\n\ttab led\n"));
}

TEST(CopyRulesSection, PassOverDropsUncountedLinesUpToItsLastCountedLineOnly) {
    EXPECT_EQ(copySection("A\n; one\nB\n; two\n\nC\nD\n", 2, 1), withCrLf("; two\n\nC\n"));
    EXPECT_EQ(copySection("A\nB\n", 0, 0), "");
    EXPECT_EQ(copySection("A\nB\n", 0, -2), "");
}

TEST(CopyRulesSection, UncountedLinesAfterARunAreWrittenByTheNextRunOrDroppedByItsPassOver) {
    RulesCopyBench next("A\n; after A\nB\nC\n");
    next.converter().copyRulesSection(next.input(), next.output(), 0, 1);
    next.converter().copyRulesSection(next.input(), next.output(), 0, 1);
    EXPECT_EQ(next.written(), withCrLf("A\n; after A\nB\n"));

    RulesCopyBench dropped("A\n; after A\nB\nC\n");
    dropped.converter().copyRulesSection(dropped.input(), dropped.output(), 0, 1);
    dropped.converter().copyRulesSection(dropped.input(), dropped.output(), 1, 1);
    EXPECT_EQ(dropped.written(), withCrLf("A\nC\n"));
}

TEST(CopyRulesSection, MarksTheElevenLinesAfterTheTerrainHeaderCommentsIncluded) {
    const std::string input =
        "@TERRAIN\nDesert, 1, 0\nPlains, 1, 1\n; food, shields, trade\nGrassland, 2, 0\n"
        "Forest, 1, 2\nHills, 1, 0\nMountains, 0, 1\nTundra, 1, 0\nGlacier, 0, 0\n"
        "Swamp, 1, 0\nJungle, 1, 0\nOcean, 1, 0\n";
    EXPECT_EQ(copySection(input, 0, 13),
              withCrLf("@TERRAIN\nDesert,no, 1, 0\nPlains,no, 1, 1\n; food,no, shields, trade\n"
                       "Grassland,no, 2, 0\nForest,no, 1, 2\nHills,no, 1, 0\nMountains,no, 0, 1\n"
                       "Tundra,no, 1, 0\nGlacier,no, 0, 0\nSwamp,no, 1, 0\nJungle,no, 1, 0\n"
                       "Ocean, 1, 0\n"));
    // The table's own example: the call stops after its second counted line.
    RulesCopyBench bench("@TERRAIN\nAlpha, 1, 2\n; comment\nBeta, 3, 4\n");
    bench.converter().copyRulesSection(bench.input(), bench.output(), 0, 2);
    EXPECT_EQ(bench.nextLine(), "; comment\n");
    EXPECT_EQ(bench.written(), withCrLf("@TERRAIN\nAlpha,no, 1, 2\n"));
}

TEST(CopyRulesSection, MarksOnlyUnderAHeaderThatIsExactlyTerrain) {
    EXPECT_EQ(copySection("@TERRAIN \nDesert, 1\n", 0, 2), withCrLf("@TERRAIN \nDesert, 1\n"));
    EXPECT_EQ(copySection("@TERRAIN ; land\nDesert, 1\n", 0, 2), withCrLf("@TERRAIN ; land\nDesert, 1\n"));
    EXPECT_EQ(copySection("@terrain\nDesert, 1\n", 0, 2), withCrLf("@terrain\nDesert, 1\n"));
}

TEST(CopyRulesSection, CommaBeforeLineFeedAndLinesWithoutComma) {
    EXPECT_EQ(copySection("@TERRAIN\nDesert,\n", 0, 2), withCrLf("@TERRAIN\nDesert,no,\n"));
    // A line without a comma keeps its place among the eleven but stays as it is.
    std::string input = "@TERRAIN\nNo comma here\n";
    std::string expected = input;
    for (int i = 1; i <= 10; ++i) {
        input += "T" + std::to_string(i) + ", 1\n";
        expected += "T" + std::to_string(i) + ",no, 1\n";
    }
    input += "Twelfth, 1\n";
    expected += "Twelfth, 1\n";
    EXPECT_EQ(copySection(input, 0, 13), withCrLf(expected));
}

TEST(CopyRulesSection, NextHeaderIsStillACandidateAndASecondTerrainHeaderGoesOnCounting) {
    EXPECT_EQ(copySection("@TERRAIN\nDesert, 1\n@UNITS, x\nWarriors, 1\n", 0, 4),
              withCrLf("@TERRAIN\nDesert,no, 1\n@UNITS,no, x\nWarriors, 1\n"));
    // Three lines marked under the first header (the "@UNITS" line without a comma
    // among them), so eight more under the second.
    std::string input = "@TERRAIN\nA, 1\nB, 2\n@UNITS\nW, 1\n@TERRAIN\n";
    std::string expected = "@TERRAIN\nA,no, 1\nB,no, 2\n@UNITS\nW, 1\n@TERRAIN\n";
    for (int i = 1; i <= 9; ++i) {
        input += "C" + std::to_string(i) + ", 1\n";
        expected += "C" + std::to_string(i) + (i <= 8 ? ",no, 1\n" : ", 1\n");
    }
    EXPECT_EQ(copySection(input, 0, 15), withCrLf(expected));
}

TEST(CopyRulesSection, NothingCarriesOverFromAPassedOverHeaderOrAnEarlierCall) {
    EXPECT_EQ(copySection("@TERRAIN\nA, 1\nB, 2\n", 1, 2), withCrLf("A, 1\nB, 2\n"));
    RulesCopyBench bench("@TERRAIN\nA, 1\nB, 2\n");
    bench.converter().copyRulesSection(bench.input(), bench.output(), 0, 2);
    bench.converter().copyRulesSection(bench.input(), bench.output(), 0, 1);
    EXPECT_EQ(bench.written(), withCrLf("@TERRAIN\nA,no, 1\nB, 2\n"));
}

TEST(CopyRulesSection, ALineOf200CharactersIsReadAsTwoCountedPieces) {
    RulesCopyBench bench(kLong200 + "\nnext\n");
    bench.converter().copyRulesSection(bench.input(), bench.output(), 0, 1);
    EXPECT_EQ(bench.nextLine(), std::string(21, 'x') + "\n");
    EXPECT_EQ(bench.written(), std::string(179, 'x'));

    EXPECT_EQ(copySection(kLong200 + "\nnext\n", 0, 2), withCrLf(kLong200 + "\n"));
    EXPECT_EQ(copySection(kLong200 + "\nnext\n", 1, 1), withCrLf(std::string(21, 'x') + "\n"));
    // A second piece that begins with ";" does not count.
    EXPECT_EQ(copySection(std::string(179, 'x') + ";tail\nnext\n", 0, 2),
              withCrLf(std::string(179, 'x') + ";tail\nnext\n"));
}

TEST(CopyRulesSection, EndOfTheTextEndsTheRun) {
    RulesCopyBench shortCopy("A\n; c\nB\n");
    EXPECT_EQ(shortCopy.converter().copyRulesSection(shortCopy.input(), shortCopy.output(), 0, 5), 0);
    EXPECT_EQ(shortCopy.converter().copyRulesSection(shortCopy.input(), shortCopy.output(), 0, 1), 0);
    EXPECT_EQ(shortCopy.written(), withCrLf("A\n; c\nB\n"));

    RulesCopyBench shortPass("A\nB\n");
    EXPECT_EQ(shortPass.converter().copyRulesSection(shortPass.input(), shortPass.output(), 3, 1), 0);
    EXPECT_EQ(shortPass.written(), "");

    // A last line without a line feed counts, and the count is met.
    RulesCopyBench exact("A\nB");
    EXPECT_EQ(exact.converter().copyRulesSection(exact.input(), exact.output(), 0, 2), 1);
    EXPECT_EQ(exact.written(), "A\r\nB");
}

TEST(CopyRulesRest, PassesOverWithA160CharacterBufferThenCopiesEveryLine) {
    RulesCopyBench bench("A\n; c\nB\n" + kLong200 + "\n; last\n");
    EXPECT_EQ(bench.converter().copyRulesRest(bench.input(), bench.output(), 3), 1);
    EXPECT_EQ(bench.written(), withCrLf(std::string(41, 'x') + "\n; last\n"));

    RulesCopyBench keeps("A\n; after A\nB\n");
    EXPECT_EQ(keeps.converter().copyRulesRest(keeps.input(), keeps.output(), 1), 1);
    EXPECT_EQ(keeps.written(), withCrLf("; after A\nB\n"));

    RulesCopyBench tooShort("A\nB\n");
    EXPECT_EQ(tooShort.converter().copyRulesRest(tooShort.input(), tooShort.output(), 3), 0);
    EXPECT_EQ(tooShort.written(), "");
}
