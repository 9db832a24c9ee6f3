#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Whole files as bytes or as text, read and written without any translation. A file that
// cannot be read reads as empty; a write says whether it reached the file.
std::vector<std::uint8_t> readFileBytes(const std::filesystem::path& path);
bool writeFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::string readFileText(const std::filesystem::path& path);
bool writeFileText(const std::filesystem::path& path, const std::string& text);

// Every regular file under `folder`, at any depth, by its path relative to `folder` written
// with "/". Links, to files or to folders, are left out: a tree is compared as it is stored.
using FileTree = std::map<std::string, std::vector<std::uint8_t>>;
FileTree readFileTree(const std::filesystem::path& folder);
