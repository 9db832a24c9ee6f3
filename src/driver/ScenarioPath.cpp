#include "driver/ScenarioPath.h"

#include <system_error>
#include <utility>

#include "base/FileLookup.h"
#include "base/PathText.h"

namespace fs = std::filesystem;

ScenarioPath splitScenarioPath(const std::string& argument) {
    ScenarioPath parts;
    std::string rest = argument;
    if (rest.size() >= 2 && rest[1] == ':') {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    const std::size_t separator = rest.find_last_of("\\/");
    if (separator != std::string::npos) {
        parts.directory = rest.substr(0, separator + 1);
        rest.erase(0, separator + 1);
    }
    const std::size_t dot = rest.rfind('.');
    if (dot != std::string::npos) {
        parts.extension = rest.substr(dot);
        rest.erase(dot);
    }
    parts.name = rest;
    return parts;
}

std::filesystem::path findScenarioFile(const std::filesystem::path& given) {
    std::error_code error;
    if (fs::exists(given, error) || !given.has_filename()) return given;
    return findIgnoringCase(given.parent_path(), displayPath(given.filename()));
}

std::string shownFolder(const ScenarioLocation& scenario) {
    std::string folder = splitScenarioPath(scenario.shown).folder();
    if (folder.empty()) return ".";
    // A root ("/", "C:\") keeps its separator: without it, it would name another folder.
    const bool endsInSeparator = folder.back() == '/' || folder.back() == '\\';
    const bool root = folder.size() == 1 || folder[folder.size() - 2] == ':';
    if (endsInSeparator && !root) folder.pop_back();
    return folder;
}

ScenarioLocation locateScenario(const std::string& argument, const std::filesystem::path& file) {
    const ScenarioPath parts = splitScenarioPath(argument);
    return {findScenarioFile(file), pathFromUtf8(parts.folder()), parts.fileName(), parts.name, argument};
}

ScenarioLocation locateScenario(const std::filesystem::path& file, std::string shown) {
    const ScenarioPath parts = splitScenarioPath(displayPath(file.filename()));
    return {file, file.parent_path(), parts.fileName(), parts.name, std::move(shown)};
}
