#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "kit/FuzzInputs.h"

// Seed inputs for the fuzz targets: small sound samples of each input kind, in the
// encodings of kit/FuzzInputs.h, from which the fuzzers start mutating.
enum class FuzzSeedKind { ScenarioFile, RulesTexts, Pictures, PictureDecode, CommandLine };

// The picture decode target reads whole picture files of this size: 640 pixels wide, a
// few rows (the target holds some of them).
constexpr std::int32_t kDecodeFuzzRows = 10;

std::vector<FuzzBytes> makeFuzzSeeds(FuzzSeedKind kind);

// Writes the seeds of `kind` into `folder` (created if need be) as seed-01, seed-02 ...;
// returns how many were written.
std::size_t writeFuzzSeeds(FuzzSeedKind kind, const std::filesystem::path& folder);
