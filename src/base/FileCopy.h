#pragma once

#include <filesystem>

// True when both paths exist and name one file (through a link, say, or a folder that
// links back); false when either is missing.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Makes `to` a byte-for-byte copy of `from`, replacing whatever `to` held. Returns false
// when the copy could not be completed; a half-written `to` is removed then.
// (Copies through streams: some standard libraries cannot replace an existing file with
// std::filesystem::copy_file.)
bool copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to);
