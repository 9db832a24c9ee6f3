#pragma once

#include <filesystem>

#include "base/Outcome.h"

struct RunReport;

// Writes the page of a report to `file`, whole or not at all: one self-contained HTML
// document, without script, its style inline, which fetches nothing but the pictures it
// links, by their addresses from the folder of `file`. Only the page of an earlier report is
// replaced, so that a mistyped name never overwrites a scenario's or the user's own file.
// Fails with "could not create <file>", "could not write <file>" or "<file> is no report of
// an earlier run"; the file of that name then keeps what it held.
Outcome writeRunReport(const RunReport& report, const std::filesystem::path& file);
