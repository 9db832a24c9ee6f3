#include "bitmaps/PictureSearch.h"

#include <ostream>
#include <string>

#include "base/FileLookup.h"
#include "base/PathText.h"

namespace fs = std::filesystem;

fs::path openIgnoringCase(const fs::path& folder, const char* name, InputFile& file) {
    const fs::path exact = folder / name;
    file.open(exact);
    if (file.is_open()) return exact;
    const fs::path found = findIgnoringCase(folder, name);
    if (found != exact) file.open(found);
    return found;
}

fs::path searchScenarioPicture(std::ostream& console, const fs::path& folder, const char* bitmap, InputFile& file) {
    console << "Searching " << bitmap << "...";
    fs::path found = openIgnoringCase(folder, bitmap, file);
    if (file.is_open()) {
        console << "Found!\n";
        return found;
    }
    // Scenarios ship their pictures as GIF files: UNITS.GIF for Units.bmp.
    const std::string gifName = fs::path(bitmap).replace_extension(".gif").string();
    found = openIgnoringCase(folder, gifName.c_str(), file);
    if (!file.is_open()) {
        console << "Not Found!\n";
        return found;
    }
    // Named as the folder stores it, in messages too, whatever the file system.
    found = folder / pathFromUtf8(storedName(folder, displayPath(found.filename())));
    console << "Found " << displayPath(found.filename()) << "!\n";
    return found;
}
