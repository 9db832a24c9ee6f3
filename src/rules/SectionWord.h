#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

#include "rules/RulesLine.h"

// The word that names a section: its header line from "@" up to the first blank, tab, ";"
// or line end, as the text writes it; empty for a line that begins no section. The line
// may come with its line feed or without.
inline std::string headerWord(std::string_view line) {
    if (!isSectionHeader(line)) return {};
    return std::string(line.substr(0, std::min(line.find_first_of(" \t;\n"), line.size())));
}

// Two texts name the same section whatever the letter case of their words.
inline std::string sectionKey(const std::string& word) {
    std::string key = word;
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}
