#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "RulesMergeSupport.h"
#include "rules/RulesText.h"

namespace {

// A text's sections as they read: the header (empty before the first) and the first field
// of each counted line after it.
struct TextSection {
    std::string header;
    std::vector<std::string> lines;
};

std::vector<TextSection> sectionsOf(const std::string& text) {
    std::vector<TextSection> sections(1);
    for (std::string piece : splitLines(text)) {
        if (!counts(piece)) continue;
        piece.erase(std::min(piece.find_first_of(",\r\n"), piece.size()));
        if (piece[0] == '@') {
            sections.push_back({piece, {}});
        } else {
            sections.back().lines.push_back(piece.substr(piece.find_first_not_of(' ')));
        }
    }
    return sections;
}

// What the destination's structure holds: the template's sections in its order, each with
// the template's number of lines, the first of them the scenario's own as far as it has
// them, the template's after; the caravan section wholly the scenario's.
std::vector<TextSection> expectedSections(const std::string& scenario, const std::string& templateText,
                                          ScenarioEdition edition) {
    const std::vector<TextSection> own = sectionsOf(scenario);
    std::vector<TextSection> expected = sectionsOf(templateText);
    const std::vector<SampleRulesSection> taken = planSections(edition);
    for (TextSection& section : expected) {
        const bool destinationOwn =
            std::none_of(taken.begin(), taken.end(),
                         [&](const SampleRulesSection& s) { return s.header == section.header; });
        const auto scenarioSection =
            std::find_if(own.begin(), own.end(), [&](const TextSection& s) { return s.header == section.header; });
        if (destinationOwn || scenarioSection == own.end()) continue;
        if (section.header == "@CARAVAN") {
            section.lines = scenarioSection->lines;
            continue;
        }
        const std::size_t taken = std::min(scenarioSection->lines.size(), section.lines.size());
        std::copy_n(scenarioSection->lines.begin(), taken, section.lines.begin());
    }
    return expected;
}

bool operator==(const TextSection& a, const TextSection& b) { return a.header == b.header && a.lines == b.lines; }

struct AlignCase {
    const char* what;
    ScenarioEdition edition;
    std::function<void(std::vector<SampleRulesSection>&)> change;
    // The notes and warnings; "<L:@X>" stands for the line number of the scenario's header "@X".
    std::vector<std::string> warnings;
    const char* templateLineLeftOut = nullptr;  // the template's line that holds it
    const char* blockEnd[2] = {};  // the scenario's line that ends the caravan block, and the next, written nowhere
};

std::vector<SampleRulesSection>::iterator at(std::vector<SampleRulesSection>& sections, const std::string& header) {
    return std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.header == header; });
}

// The warning for a section with more lines, or fewer, than the conversion takes.
std::string sized(int has, const std::string& header, int takes, const std::string& fate) {
    return "Warning: S.txt has " + std::to_string(has) + " lines in " + header + " where the conversion takes " +
           std::to_string(takes) + "; " + fate + "check the converted Rules.txt!";
}

// The note for a section whose extra lines all stand on the destination's lines that follow.
std::string kept(int has, const std::string& header, int takes) {
    return "Note: S.txt has " + std::to_string(has) + " lines in " + header + " where the plan takes " +
           std::to_string(takes) + "; the other " + std::to_string(has - takes) +
           " are on the destination's lines that follow.";
}

std::string missing(const std::string& header) {
    return "Warning: S.txt has no " + header + "; it comes from T.txt, check the converted Rules.txt!";
}
std::string notTaken(const std::string& header) {
    return "Warning: S.txt has " + header + " at its line <L:" + header +
           "> that the conversion does not take; check the converted Rules.txt!";
}

std::string withLineNumbers(std::string warning, const std::string& scenario) {
    for (std::size_t at; (at = warning.find("<L:")) != std::string::npos;) {
        const std::size_t end = warning.find('>', at);
        const std::string header = warning.substr(at + 3, end - at - 3);
        warning.replace(at, end - at + 1, std::to_string(lineNumberOf(scenario, "\n" + header + "\n") + 1));
    }
    return warning;
}

}  // namespace

// Scenario rules laid out from the plan and changed as real ones are: the output has the
// destination's structure with the scenario's lines where they belong, and each difference
// is told, in the order of the destination's sections.
TEST(MergeRules, TextsThatDoNotFitThePlanAreWrittenSectionBySection) {
    const std::string oneMore = "the other 1 come from T.txt, ";
    const AlignCase cases[] = {
        {"the 8 spare unit places used", Conflicts, [](auto& s) { at(s, "@UNITS")->lines += 8; },
         {kept(62, "@UNITS", 54)}},
        {"the later layout's 7 advances and 8 test units in a version-39 file", Classic,
         [](auto& s) { at(s, "@CIVILIZE")->lines += 7; at(s, "@UNITS")->lines += 8; },
         {kept(100, "@CIVILIZE", 93), kept(62, "@UNITS", 54)}},
        {"a 101st advance", FantasticWorlds, [](auto& s) { at(s, "@CIVILIZE")->lines += 1; },
         {sized(101, "@CIVILIZE", 100, "0 placed on the lines that follow, 1 left out, ")}},
        {"93 advances and lines of blanks among the attitudes", FantasticWorlds,
         [](auto& s) { at(s, "@CIVILIZE")->lines -= 7; at(s, "@ATTITUDES")->blankLines = 2; },
         {sized(93, "@CIVILIZE", 100, "the other 7 come from T.txt, ")}},
        {"the leaders short by 2 lines, so the text runs short", Classic,
         [](auto& s) { at(s, "@LEADERS")->lines -= 2; },
         {sized(21, "@LEADERS", 23, "the other 2 come from T.txt, ")}},
        {"a section out of order with 2 lines more, one left out, a section for nothing, one missing", Conflicts,
         [](auto& s) {
             std::iter_swap(at(s, "@LEADERS"), at(s, "@GOVERNMENTS"));
             at(s, "@GOVERNMENTS")->lines += 2;
             s.insert(at(s, "@TERRAIN"), SampleRulesSection{"@EXTRA", 5, 0});
             s.erase(at(s, "@ENDWONDER"));
         },
         {"Warning: S.txt has @GOVERNMENTS out of order, at its line <L:@GOVERNMENTS>; check the converted "
          "Rules.txt!",
          sized(13, "@GOVERNMENTS", 11, "1 placed on the lines that follow, 1 left out, "),
          "Warning: S.txt has no @ENDWONDER; it comes from T.txt, check the converted Rules.txt!",
          "Warning: S.txt has @EXTRA at its line <L:@EXTRA> that the conversion does not take; check the "
          "converted Rules.txt!"}},
        {"a section out of order whose 8 lines more are all placed: a warning, not a note", Conflicts,
         [](auto& s) { at(s, "@UNITS")->lines += 8; std::iter_swap(at(s, "@UNITS"), at(s, "@ENDWONDER")); },
         {"Warning: S.txt has @UNITS out of order, at its line <L:@UNITS>; check the converted Rules.txt!",
          sized(62, "@UNITS", 54, "8 placed on the lines that follow, 0 left out, ")}},
        {"no caravan section", Classic, [](auto& s) { s.erase(at(s, "@CARAVAN")); },
         {"Warning: S.txt has no @CARAVAN; it comes from T.txt, check the converted Rules.txt!"}},
        {"lines of blanks only, of 4 to 1000 characters, among the cosmic lines and units: the plan fits", Classic,
         [](auto& s) { at(s, "@COSMIC")->blankLines = 2; at(s, "@UNITS")->blankLines = 3; },
         {}},
        {"8 terrain lines: the template's 3 others keep their own fields", Conflicts,
         [](auto& s) { at(s, "@TERRAIN")->lines = 8; }, {sized(8, "@TERRAIN", 33, "the other 25 come from T.txt, ")}},
        // Its headers stand a place early, six of them on places that the plan copies from it: the
        // terrain header is the template's, and the scenario's terrain lines after it are marked.
        {"a template whose first section is one line short", Classic, [](auto&) {},
         {sized(93, "@CIVILIZE", 94, oneMore), sized(11, "@GOVERNMENTS", 12, oneMore), sized(54, "@UNITS", 55, oneMore),
          missing("@ATTRIBUTES"), missing("@LANDSCAPES"), notTaken("@ORDERS")}, "Entry 2,"},
        // The caravan count runs from the first caravan header, the block from the one in the destination's order.
        {"two caravan headers, the block ending inside the orders", Classic,
         [](auto& s) { at(s, "@ATTITUDES")->lines = 0; s.insert(at(s, "@ATTITUDES"), {"@CARAVAN", 2}); },
         {sized(0, "@ATTITUDES", 31, "the other 31 come from T.txt, "),
          sized(7, "(start)", 0, "0 placed on the lines that follow, 7 left out, "), missing("@ORDERS"),
          notTaken("@CARAVAN")},
         nullptr, {"orders 3,", "orders 4,"}},
        {"two caravan headers, the block running past the text's end", Classic,
         [](auto& s) { s.insert(at(s, "@ATTITUDES"), {"@CARAVAN", 2}); },
         {missing("@ORDERS"), missing("@DIFFICULTY"), notTaken("@CARAVAN")}, nullptr, {"difficulty 17,", "; the end"}},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<SampleRulesSection> sections = planSections(c.edition);
        c.change(sections);
        const std::string scenario = writeSampleSections(sections, 4) + "; the end\n";
        std::string templateText = makeTemplateRules(4);
        if (c.templateLineLeftOut != nullptr) {
            const auto [start, end] = lineAround(templateText, c.templateLineLeftOut);
            templateText.erase(start, end - start);
        }

        std::ostringstream console;
        ScenarioConverter converter(console);
        converter.edition = c.edition;
        RulesTextInput scenarioRules(withCrLf(scenario), "S.txt");
        RulesTextInput templateRules(withCrLf(templateText), "T.txt");
        RulesTextOutput output = RulesTextOutput::inMemory("out.txt");
        // The edition probe reads lines of blanks as empty too.
        EXPECT_EQ(converter.probeRulesEdition(&scenarioRules) == Classic, c.edition == Classic);
        converter.mergeRules(scenarioRules, output, templateRules);

        std::string warnings;
        for (const std::string& warning : c.warnings) warnings += withLineNumbers(warning, scenario) + "\n";
        EXPECT_EQ(console.str(), warnings);
        // Notes alone are no problem.
        EXPECT_EQ(converter.problemReported(),
                  std::any_of(c.warnings.begin(), c.warnings.end(),
                              [](const std::string& line) { return line.rfind("Warning", 0) == 0; }));
        std::string written = output.text();
        written.erase(std::remove(written.begin(), written.end(), '\r'), written.end());
        std::size_t marked = 0;  // the scenario's terrain lines carry "no," after their last comma
        for (auto at = written.find(",no,"); at != std::string::npos; at = written.find(",no,", at + 1)) ++marked;
        EXPECT_EQ(marked, std::min<std::size_t>(11, static_cast<std::size_t>(at(sections, "@TERRAIN")->lines)));
        // A layout out of the plan's leaves lines elsewhere, but no template header out.
        if (c.templateLineLeftOut != nullptr || c.blockEnd[0] != nullptr) {
            auto holds = [&written](const std::string& part) { return written.find(part) != std::string::npos; };
            for (const TextSection& t : sectionsOf(templateText)) EXPECT_TRUE(holds(t.header + "\n")) << t.header;
            EXPECT_TRUE(c.blockEnd[0] == nullptr || (holds(c.blockEnd[0]) && !holds(c.blockEnd[1])));
            continue;
        }
        EXPECT_TRUE(sectionsOf(written) == expectedSections(scenario, templateText, c.edition));
        if (c.warnings.empty()) {
            EXPECT_EQ(output.text(), expectedMerge(c.edition, 16, scenario, templateText));
        }
    }
}
