#include "driver/ScenarioPath.h"

#include <utility>

#include "base/PathText.h"

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

ScenarioLocation locateScenario(const std::string& argument, const std::filesystem::path& file) {
    const ScenarioPath parts = splitScenarioPath(argument);
    return {file, pathFromUtf8(parts.folder()), parts.fileName(), parts.name, argument};
}

ScenarioLocation locateScenario(const std::filesystem::path& file, std::string shown) {
    const ScenarioPath parts = splitScenarioPath(displayPath(file.filename()));
    return {file, file.parent_path(), parts.fileName(), parts.name, std::move(shown)};
}
