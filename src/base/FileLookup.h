#pragma once

#include <filesystem>
#include <string>

// Scenario folders of this game often spell their files RULES.TXT or UNITS.BMP. A name
// is looked up by its exact spelling first, then by the entry of the folder whose name
// equals it ignoring letter case (the first such entry in name order, should a
// case-sensitive file system hold several). When nothing matches, the exact spelling
// is returned, so that the caller's open fails in the usual way. `name` is UTF-8 bytes.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// True when the two names are equal but for the letter case of their ASCII letters.
bool equalIgnoringCase(const std::string& a, const std::string& b);

// The name of the folder's entry that matches `name` ignoring letter case, as the folder
// stores it: on a file system that ignores case, opening UNITS.GIF as Units.gif succeeds,
// and only the folder knows the stored spelling. An entry spelled exactly so is preferred;
// when nothing matches, `name` itself.
std::string storedName(const std::filesystem::path& folder, const std::string& name);
