#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>

#include "rules/RulesLine.h"

// The word that names a section: its header line from "@" up to the first blank, tab, ";"
// or line end, as the text writes it; empty for a line that begins no section.
inline std::string headerWord(const std::string& line) {
    if (!isSectionHeader(line)) return {};
    return line.substr(0, std::min(line.find_first_of(" \t;\n"), line.size()));
}

// Two texts name the same section whatever the letter case of their words.
inline std::string sectionKey(const std::string& word) {
    std::string key = word;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}
