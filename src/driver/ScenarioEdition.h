#pragma once

#include <cstdint>

// The edition a scenario was made for. The values are those the file layouts and
// the graphics-only switches use, so they are kept as signed 32-bit numbers.
enum ScenarioEdition : std::int32_t {
    Classic = -1,
    Conflicts = 1,
    FantasticWorlds = 2,
};
