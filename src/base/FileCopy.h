#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

// True when both paths exist and name one file (through a link, say, or a folder that
// links back); false when either is missing.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

enum class CopyOutcome {
    Copied,
    ReadFailed,  // the source was opened, but could not be read to its end
    NotCopied,   // the source could not be opened, the destination is the source
                 // itself, or the destination could not be written
};

// Makes `to` a byte-for-byte copy of `from`. `to` is replaced whole or not at all: on any
// failure it keeps what it held (base/ReplacingOutput.h).
CopyOutcome copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to);

// Copies `in` to its end into `out`. ReadFailed when `in` reports an error, or ends before
// `expectedBytes`, the size its file had when it was opened (an input error or a file
// cut short while it is read); NotCopied when `out` fails.
CopyOutcome copyStreamContents(std::istream& in, std::int64_t expectedBytes, std::ostream& out);
