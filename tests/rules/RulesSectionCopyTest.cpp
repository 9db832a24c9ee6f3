#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "RulesTestFiles.h"
#include "rules/RulesText.h"

namespace {

constexpr int kRest = -100;   // a call of copyRulesRest, which copies every remaining line
constexpr int kCount = -200;  // a call of countCaravanLines, which returns the count

// One call on the stream: pass over `skip` counted lines, copy `copy` and return `result`.
struct Call {
    int skip, copy, result;
};

struct CopyCase {
    const char* what;
    std::string input;
    std::vector<Call> calls;  // made one after the other on the same streams
    std::string written;      // with line feeds only
    std::string nextLine;
};

void expectCopies(const std::vector<CopyCase>& cases) {
    for (const CopyCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CopyOutcome outcome = runOnRulesText(c.input, [&](ScenarioConverter& converter, RulesTextInput& input,
                                                                  RulesTextOutput& output) {
            for (const Call& call : c.calls) {
                EXPECT_EQ(call.copy == kCount  ? converter.countCaravanLines(input)
                          : call.copy == kRest ? converter.copyRulesRest(input, output, call.skip)
                                               : converter.copyRulesSection(input, output, call.skip, call.copy),
                          call.result);
            }
        });
        EXPECT_EQ(outcome.written, withCrLf(c.written));
        EXPECT_EQ(outcome.nextLine, c.nextLine);
    }
}

// `lines` counted lines "<prefix><n>, 1", and the same lines with "no," in the first `marked`.
std::pair<std::string, std::string> numberedLines(char prefix, int lines, int marked) {
    std::pair<std::string, std::string> texts;
    for (int n = 1; n <= lines; ++n) {
        texts.first += prefix + std::to_string(n) + ", 1\n";
        texts.second += prefix + std::to_string(n) + (n <= marked ? ",no, 1\n" : ", 1\n");
    }
    return texts;
}

}  // namespace

TEST(CountCaravanLines, CountsTheLinesBetweenTheHeadersOrGivesMinusTwoAndRewinds) {
    std::string caravan;  // 16 counted lines, some blank-led, with comment, empty and ":" lines
    for (int i = 1; i <= 16; ++i) {
        caravan += (i % 5 == 0 ? "  " : "") + std::string("Good ") + std::to_string(i) + ", 1\n";
        if (i % 4 == 0) caravan += "; note\n\n: remark\n";
    }
    expectCopies({
        {"16 lines", "@COSMIC\nA, 1\n@CARAVAN\n" + caravan + "@ORDERS\nB, 2\n", {{0, kCount, 16}}, "", "@COSMIC\n"},
        {"a line of 200 characters is two pieces", "@CARAVAN\n" + std::string(200, 'g') + "\n@ORDERS\n",
         {{0, kCount, 2}}, "", "@CARAVAN\n"},
        {"only \"@ORDERS\" itself ends the section", "@CARAVAN\nA\n@ORDERS ; x\nB\n@ORDERS\n", {{0, kCount, 3}},
         "", "@CARAVAN\n"},
        // Lines of blanks and tabs are empty however long; every piece of a long line that holds more counts.
        {"lines of blanks only", "@CARAVAN\n   \n\t \nA\n" + std::string(179, 'g') + "   \n \t\n" +
                                     std::string(200, '\t') + "\n" + std::string(179, ' ') + "z\n@ORDERS\n",
         {{0, kCount, 5}}, "", "@CARAVAN\n"},
        {"\"@ORDERS\" first", "A\n@ORDERS\n@CARAVAN\nB\nC\n@ORDERS\n", {{0, kCount, -2}}, "", "A\n"},
        {"no \"@CARAVAN\"", "A\n@ORDERS\nB\n", {{0, kCount, -2}}, "", "A\n"},
        {"no \"@ORDERS\"", "A\n@CARAVAN\nB\nC\nD\n", {{0, kCount, -2}}, "", "A\n"},
        {"an empty text", "", {{0, kCount, -2}}, "", ""},
    });
}

TEST(CopyRulesSection, CountsPassesOverAndLeavesTheLinesAfterARunToTheNextCall) {
    expectCopies({
        {"comment, empty and \":\" lines do not count, blank-led lines do",
         "; note, 1\n\n: remark, 2\n  blank led\n\ttab led\nThird\n", {{0, 2, 1}},
         "; note, 1\n\n: remark, 2\n  blank led\n\ttab led\n", "Third\n"},
        {"a pass-over drops uncounted lines up to its last counted line only",
         "A\n; one\nB\n; two\n\nC\nD\n", {{2, 1, 1}}, "; two\n\nC\n", "D\n"},
        {"nothing to copy", "A\nB\n", {{0, 0, 1}, {0, -2, 1}}, "", "A\n"},
        {"lines after a run are written by the next run", "A\n; after A\nB\nC\n", {{0, 1, 1}, {0, 1, 1}},
         "A\n; after A\nB\n", "C\n"},
        {"or dropped by its pass-over", "A\n; after A\nB\nC\n", {{0, 1, 1}, {1, 1, 1}}, "A\nC\n", ""},
        {"the rest copier passes over, then copies every line", "A\n; after A\nB\n", {{1, kRest, 1}},
         "; after A\nB\n", ""},
    });
}

// The destination reads its terrain field last: "no," goes after the last comma before the
// line's comment, so that every earlier field keeps its place.
TEST(CopyRulesSection, MarksTheElevenLinesAfterTheTerrainHeaderWithNoAsTheirLastField) {
    const auto tLines = numberedLines('T', 11, 10), cLines = numberedLines('C', 9, 8);
    const std::string terrainLines =
        "@TERRAIN\nDesert, 1, 0\nPlains, 1, 1\n; food, shields, trade\nGrassland, 2, 0\nForest, 1, 2\n"
        "Hills, 1, 0\nMountains, 0, 1\nTundra, 1, 0\nGlacier, 0, 0\nSwamp, 1, 0\nJungle, 1, 0\nOcean, 1, 0\n";
    expectCopies({
        {"a section as the game writes it",
         "@TERRAIN\n"
         "Desert,     1,2,  0,1,0,   yes, 1, 5, 5,   yes, 1, 5,  3,  Pln,   ; Drt\n"
         "Plains,     1,1,  1,1,0,   yes, 1, 5, 5,   no,  0,15, 0,  Grs,   ; Pln\n"
         "Ocean,      1,1,  1,0,2,   no,  0, 0, 0,   no,  0, 0, 0,  no,    ; Ocn, deep\n",
         {{0, 4, 1}},
         "@TERRAIN\n"
         "Desert,     1,2,  0,1,0,   yes, 1, 5, 5,   yes, 1, 5,  3,  Pln,no,   ; Drt\n"
         "Plains,     1,1,  1,1,0,   yes, 1, 5, 5,   no,  0,15, 0,  Grs,no,   ; Pln\n"
         "Ocean,      1,1,  1,0,2,   no,  0, 0, 0,   no,  0, 0, 0,  no,no,    ; Ocn, deep\n",
         ""},
        {"comment lines among the eleven stay as they are", terrainLines, {{0, 12, 1}},
         "@TERRAIN\nDesert, 1,no, 0\nPlains, 1,no, 1\n; food, shields, trade\nGrassland, 2,no, 0\n"
         "Forest, 1,no, 2\nHills, 1,no, 0\nMountains, 0,no, 1\nTundra, 1,no, 0\nGlacier, 0,no, 0\n"
         "Swamp, 1,no, 0\nJungle, 1,no, 0\nOcean, 1, 0\n", ""},
        {"the call stops after its second counted line", "@TERRAIN\nAlpha, 1, 2\n; comment\nBeta, 3, 4\n",
         {{0, 2, 1}}, "@TERRAIN\nAlpha, 1,no, 2\n", "; comment\n"},
        {"no comma before the comment", "@TERRAIN\nDesert ; dry, hot\n", {{0, 2, 1}},
         "@TERRAIN\nDesert ; dry, hot\n", ""},
        {"a comment that holds a comma and a second \";\"", "@TERRAIN\nDesert, 1, 2,  ; dry, hot ; sand\n",
         {{0, 2, 1}}, "@TERRAIN\nDesert, 1, 2,no,  ; dry, hot ; sand\n", ""},
        {"a header with a trailing blank", "@TERRAIN \nDesert, 1\n", {{0, 2, 1}}, "@TERRAIN \nDesert, 1\n", ""},
        {"a header with a comment", "@TERRAIN ; land\nDesert, 1\n", {{0, 2, 1}}, "@TERRAIN ; land\nDesert, 1\n", ""},
        {"a header in small letters", "@terrain\nDesert, 1\n", {{0, 2, 1}}, "@terrain\nDesert, 1\n", ""},
        {"a comma directly before the line feed", "@TERRAIN\nDesert,\n", {{0, 2, 1}}, "@TERRAIN\nDesert,no,\n", ""},
        {"a line without a comma keeps its place among the eleven", "@TERRAIN\nNo comma here\n" + tLines.first,
         {{0, 13, 1}}, "@TERRAIN\nNo comma here\n" + tLines.second, ""},
        {"the next header is still among the eleven", "@TERRAIN\nDesert, 1\n@UNITS, x, y\nWarriors, 1\n",
         {{0, 4, 1}}, "@TERRAIN\nDesert,no, 1\n@UNITS, x,no, y\nWarriors, 1\n", ""},
        // Three lines marked under the first header, so eight more under the second.
        {"a second terrain header in the same call goes on counting",
         "@TERRAIN\nA, 1\nB, 2\n@UNITS\nW, 1\n@TERRAIN\n" + cLines.first, {{0, 15, 1}},
         "@TERRAIN\nA,no, 1\nB,no, 2\n@UNITS\nW, 1\n@TERRAIN\n" + cLines.second, ""},
        {"no insertion when the header was passed over", "@TERRAIN\nA, 1\nB, 2\n", {{1, 2, 1}}, "A, 1\nB, 2\n", ""},
        {"nothing carries over from an earlier call", "@TERRAIN\nA, 1\nB, 2\n", {{0, 2, 1}, {0, 1, 1}},
         "@TERRAIN\nA,no, 1\nB, 2\n", ""},
    });
}

// The copiers hand the counted pieces they read to the fit check, with the numbers of
// their lines: what a run passes over and copies, but not what the rest copier copies.
TEST(CopyRulesSection, KeepsTheCountedPiecesItReadWithTheirLineNumbers) {
    const std::string x179(179, 'x');
    std::vector<RulesPiece> section, rest;
    runOnRulesText("; c\nA\n\nB\n" + x179 + "@C\n: r\nD\nE\n; end\nF\n",
                   [&](ScenarioConverter& converter, RulesTextInput& input, RulesTextOutput& output) {
                       converter.copyRulesSection(input, output, 1, 3, &section);
                       converter.copyRulesRest(input, output, 1, &rest);
                   });
    const std::vector<std::pair<std::int64_t, std::string>> expectedSection = {
        {2, "A\n"}, {4, "B\n"}, {5, x179}, {5, "@C\n"}};
    ASSERT_EQ(section.size(), expectedSection.size());
    for (std::size_t i = 0; i < section.size(); ++i) {
        EXPECT_EQ(section[i].lineNumber, expectedSection[i].first) << i;
        EXPECT_EQ(section[i].text, expectedSection[i].second) << i;
    }
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].lineNumber, 7);
    EXPECT_EQ(rest[0].text, "D\n");
}

TEST(CopyRulesSection, ReadsLinesInPiecesAndStopsAtTheEndOfTheText) {
    const std::string x179(179, 'x'), x200(200, 'x');
    expectCopies({
        {"a 200-character line is two counted pieces", x200 + "\nnext\n", {{0, 1, 1}}, x179,
         std::string(21, 'x') + "\n"},
        {"both pieces copied", x200 + "\nnext\n", {{0, 2, 1}}, x200 + "\n", "next\n"},
        {"the first piece passed over", x200 + "\nnext\n", {{1, 1, 1}}, std::string(21, 'x') + "\n", "next\n"},
        {"a second piece that begins with \";\" does not count", x179 + ";tail\nnext\n", {{0, 2, 1}},
         x179 + ";tail\nnext\n", ""},
        {"the rest copier reads pieces of 159", "A\n; c\nB\n" + x200 + "\n; last\n", {{3, kRest, 1}},
         std::string(41, 'x') + "\n; last\n", ""},
        {"a copy that runs out, and the next on the ended text", "A\n; c\nB\n", {{0, 5, 0}, {0, 1, 0}},
         "A\n; c\nB\n", ""},
        {"a pass-over that runs out", "A\nB\n", {{3, 1, 0}}, "", ""},
        {"a rest pass-over that runs out", "A\nB\n", {{3, kRest, 0}}, "", ""},
        {"a last line without a line feed counts", "A\nB", {{0, 2, 1}}, "A\nB", ""},
    });
}
