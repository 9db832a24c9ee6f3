#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Whole files as bytes or as text, read and written without any translation. A file that
// cannot be read reads as empty; a write says whether it reached the file.
std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path);
bool writeFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::string readFileText(const std::filesystem::path& path);
bool writeFileText(const std::filesystem::path& path, const std::string& text);
