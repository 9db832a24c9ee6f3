#pragma once

#include <filesystem>
#include <iosfwd>

#include "base/SystemFile.h"

// Opens folder/name, or else the entry of the folder that matches the name ignoring case;
// the exact spelling is tried first, so that the folder is scanned only when it is not
// there. Returns the path tried last.
std::filesystem::path openIgnoringCase(const std::filesystem::path& folder, const char* name, InputFile& file);

// Looks in the scenario folder `folder` for the picture of a step, `bitmap`, or else for a
// GIF file of the same name, and opens the one found into `file`. Prints the search on
// `console`: "Searching <bitmap>..." and then "Found!", "Found <GIF name>!" or "Not Found!".
// Returns the path of the file opened; `file` is not open when nothing was found.
std::filesystem::path searchScenarioPicture(std::ostream& console, const std::filesystem::path& folder,
                                            const char* bitmap, InputFile& file);
