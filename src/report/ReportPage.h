#pragma once

#include <filesystem>
#include <iosfwd>

struct RunReport;

// The page of a report: one self-contained HTML document, without script, its style inline,
// which fetches nothing but the pictures it links, by their addresses from `pageFolder`, the
// folder the page is written into.
void writeReportPage(std::ostream& out, const RunReport& report, const std::filesystem::path& pageFolder);
