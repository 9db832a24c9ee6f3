#pragma once

#include <filesystem>
#include <string>

// Names travel through the program as UTF-8 bytes: the command line's arguments, the
// scenario's base name and the file names in messages. On Linux and macOS a name is
// bytes already and passes both ways unchanged; on Windows the path is UTF-16 and is
// converted without loss (std::filesystem's own narrow conversion would go through the
// ANSI code page, which cannot hold most names).

// The path that a name given as UTF-8 bytes stands for.
std::filesystem::path pathFromUtf8(const std::string& text);

// The path as UTF-8 bytes, for messages and for comparing names.
std::string displayPath(const std::filesystem::path& path);
