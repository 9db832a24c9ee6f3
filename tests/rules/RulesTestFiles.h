#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "driver/ScenarioConverter.h"
#include "kit/RulesSample.h"
#include "kit/TempFolder.h"
#include "rules/RulesText.h"

// Rules files in a temporary folder. Texts are given with line feeds only and stored
// with CR LF, as the game's rules texts are.
inline void writeRulesFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << withCrLf(text);
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One input text, one output file and a converter that prints into a string.
class RulesCopyBench {
public:
    explicit RulesCopyBench(const std::string& inputText) {
        writeRulesFile(folder_ / "input.txt", inputText);
        input_ = std::make_unique<RulesTextInput>(folder_ / "input.txt");
        output_ = std::make_unique<RulesTextOutput>(folder_ / "output.txt");
    }

    ScenarioConverter& converter() { return converter_; }
    RulesTextInput& input() { return *input_; }
    RulesTextOutput& output() { return *output_; }

    // The output file's bytes, once it is closed.
    std::string written() {
        output_->close();
        return readBytes(folder_ / "output.txt");
    }

    // The next line the input stream delivers, read as the section copier reads it.
    std::string nextLine() {
        std::string line;
        input_->readPiece(line, 180);
        return line;
    }

    std::string console() const { return console_.str(); }

private:
    TempFolder folder_{"tavorel-rules"};
    std::ostringstream console_;
    ScenarioConverter converter_{console_};
    std::unique_ptr<RulesTextInput> input_;
    std::unique_ptr<RulesTextOutput> output_;
};
