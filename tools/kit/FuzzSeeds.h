#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "kit/FuzzInputs.h"

// Seed inputs for the fuzz targets: small sound samples of each input kind, in the
// encodings of kit/FuzzInputs.h, from which the fuzzers start mutating.
enum class FuzzSeedKind { ScenarioFile, RulesTexts, Pictures, CommandLine };

std::vector<FuzzBytes> makeFuzzSeeds(FuzzSeedKind kind);

// Writes the seeds of `kind` into `folder` (created if need be) as seed-01, seed-02 ...;
// returns how many were written.
std::size_t writeFuzzSeeds(FuzzSeedKind kind, const std::filesystem::path& folder);
