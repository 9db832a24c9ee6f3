#pragma once

#include <filesystem>
#include <iosfwd>

struct RunReport;

// The page of a report: one self-contained HTML document, without script, its style inline,
// which fetches nothing but the pictures it links, by their addresses from `pageFolder`, the
// folder the page is written into.
void writeReportPage(std::ostream& out, const RunReport& report, const std::filesystem::path& pageFolder);

// Whether `file` begins as every page of a report does: only such a file is replaced by a
// report, so that a mistyped name never overwrites a scenario's or the user's own file.
bool isReportPage(const std::filesystem::path& file);
