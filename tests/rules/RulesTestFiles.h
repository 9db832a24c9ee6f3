#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "driver/ScenarioConverter.h"
#include "kit/Files.h"
#include "kit/RulesSample.h"
#include "kit/TempFolder.h"
#include "rules/RulesText.h"

// Rules texts are given with line feeds only and stored with CR LF, as the game's are.
inline void writeRulesFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << withCrLf(text);
}

struct CopyOutcome {
    std::string written;   // the output file, CR LF form
    std::string nextLine;  // what the input delivers next, read as the section copier reads
};

// Runs `calls(converter, input, output)` on one input text and one output file.
template <typename Calls>
CopyOutcome runOnRulesText(const std::string& text, Calls calls) {
    TempFolder folder("tavorel-rules");
    writeRulesFile(folder / "input.txt", text);
    std::ostringstream console;
    ScenarioConverter converter(console);
    RulesTextInput input(folder / "input.txt");
    RulesTextOutput output(folder / "output.txt");
    calls(converter, input, output);
    output.close();
    CopyOutcome outcome{readFileText(folder / "output.txt"), ""};
    input.readPiece(outcome.nextLine, 180);
    return outcome;
}
