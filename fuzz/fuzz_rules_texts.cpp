// Arbitrary scenario and template rules texts of each edition through the edition probe,
// the caravan count and the whole merge, by the plan or section by section. The merge must
// end (the fuzzer's timeout watches that) and can only write lines that it read: the
// template's at most once, the scenario's at most twice (a section that the caravan block
// carries may also be taken in its own place).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "FuzzStart.h"
#include "driver/ScenarioConverter.h"
#include "rules/RulesText.h"

namespace {

constexpr std::size_t kMaxInputBytes = 96 * 1024;

std::int64_t count(const std::string& text, const std::string& part) {
    std::int64_t found = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

// Line feeds of a text as it reads: a 0x1A byte ends it.
std::int64_t lineFeedsRead(const std::string& text) {
    const char* end = static_cast<const char*>(std::memchr(text.data(), '\x1A', text.size()));
    return countLineFeeds(text.data(), end == nullptr ? text.data() + text.size() : end);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    prepareFuzzRun(argc, argv, FuzzSeedKind::RulesTexts, kMaxInputBytes);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RulesFuzzInput input = decodeRulesFuzzInput(data, size);
    std::ostringstream console;
    ScenarioConverter converter(console);
    converter.edition = input.edition;
    // In memory: files would cost the fuzzer more than the merge, and teach it nothing.
    RulesTextInput scenarioRules(input.scenarioText, "Rules.txt");
    RulesTextInput templateRules(input.templateText, "template/Rules.txt");
    FUZZ_EXPECT(scenarioRules.isOpen() && templateRules.isOpen());

    // Both the probe and the count leave the text at its start: asked twice, they answer alike.
    const int probed = converter.probeRulesEdition(&scenarioRules);
    FUZZ_EXPECT(probed == Classic || probed == Conflicts);
    FUZZ_EXPECT(converter.probeRulesEdition(&scenarioRules) == probed);
    const int caravanLines = converter.countCaravanLines(scenarioRules);
    FUZZ_EXPECT(caravanLines >= -2);
    FUZZ_EXPECT(caravanLines <= static_cast<std::int64_t>(input.scenarioText.size()));
    FUZZ_EXPECT(converter.countCaravanLines(scenarioRules) == caravanLines);
    FUZZ_EXPECT(converter.probeRulesEdition(&scenarioRules) == probed);

    RulesTextOutput output = RulesTextOutput::inMemory("Converted/Rules.txt");
    FUZZ_EXPECT(converter.mergeRules(scenarioRules, output, templateRules) == 1);
    FUZZ_EXPECT(output.close());
    FUZZ_EXPECT(converter.caravanLineCount == caravanLines);
    const std::string& written = output.text();
    FUZZ_EXPECT(countLineFeeds(written.data(), written.data() + written.size()) <=
                2 * lineFeedsRead(input.scenarioText) + lineFeedsRead(input.templateText));
    // Either the plan's warnings, one for each text that ran short (the template among them),
    // or the notes and warnings of the section by section merge, each about the scenario's
    // rules; only a warning is a problem.
    const std::string& messages = fuzzConsole() = console.str();
    const auto lines = std::count(messages.begin(), messages.end(), '\n');
    const bool planWarnings = messages.find(
                                  "Warning: template/Rules.txt has fewer lines than the rules "
                                  "conversion needs") != std::string::npos;
    FUZZ_EXPECT(planWarnings
                    ? lines <= 2
                    : lines == count(messages, "Warning: Rules.txt has ") + count(messages, "Note: Rules.txt has "));
    FUZZ_EXPECT((messages.find("Warning: ") != std::string::npos) == converter.problemReported());
    return 0;
}
