#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/ScenarioEdition.h"

// A synthetic scenario file: the version byte, the unit and city counts and the map
// header at their places, every other byte filler drawn from the seed.
struct ScenarioSampleOptions {
    ScenarioEdition edition = Classic;  // Classic and Conflicts share one file layout
    std::uint16_t mapWidthWord = 80;
    std::uint16_t mapHeight = 50;
    std::uint16_t unitCount = 100;
    std::uint16_t cityCount = 20;
    std::uint32_t tailBytes = 500;
    std::uint64_t seed = 1;
};

// Input layout constants of the two file layouts.
std::int64_t scenarioFixedPartSize(ScenarioEdition edition);
std::int64_t scenarioMapOffset(ScenarioEdition edition);

// Size of the file that the options describe.
std::int64_t scenarioFileSize(const ScenarioSampleOptions& options);

std::vector<std::uint8_t> makeScenarioFile(const ScenarioSampleOptions& options);

// The same bytes as makeScenarioFile, written in chunks so that a large tail never has
// to fit in memory. False when the file could not be written.
bool writeScenarioFile(const std::filesystem::path& path, const ScenarioSampleOptions& options);
