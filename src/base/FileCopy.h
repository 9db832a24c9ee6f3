#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "base/Outcome.h"

// True when both paths exist and name one file (through a link, say, or a folder that
// links back); false when either is missing.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// Makes `to` a byte-for-byte copy of `from`. `to` is replaced whole or not at all: on any
// failure it keeps what it held (base/ReplacingOutput.h). The failure is one of the clauses
// below, naming the files, with the system's reason after the file that failed
// (base/FailureReason.h): "could not read <from> (<reason>)" when `from` was opened but could
// not be read to its end; "could not copy <from> (<reason>) to <to>" when `from` could not be
// opened; "could not copy <from> to <to> (<reason>)" when `to` is `from` itself ("File
// exists"), or `to` could not be written.
Outcome copyFileContents(const std::filesystem::path& from, const std::filesystem::path& to);

// The same copy from an input already open, read to its end: `expectedBytes` is the size
// its file had when it was opened, so that a file cut short while it is read is told from
// one read whole; `from` names it in the messages. The system's reason for a failed read is
// the error that `in` kept, when it reads through a base/SystemFile.h buffer.
Outcome copyFileContents(std::istream& in, std::int64_t expectedBytes, const std::filesystem::path& from,
                         const std::filesystem::path& to);
