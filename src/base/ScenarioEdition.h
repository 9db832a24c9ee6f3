#pragma once

#include <cstdint>

// The edition a scenario was made for. The values are those the file layouts and
// the graphics-only switches use, so they are kept as signed 32-bit numbers.
enum ScenarioEdition : std::int32_t {
    Classic = -1,
    Conflicts = 1,
    FantasticWorlds = 2,
};

// The scenario file and the pictures come in two layouts: Classic and Conflicts share one,
// FantasticWorlds has its own. (The rules texts tell all three editions apart.)
enum class EditionLayout { ClassicOrConflicts, FantasticWorlds, None };

constexpr EditionLayout layoutOf(std::int32_t edition) {
    switch (edition) {
        case Classic:
        case Conflicts: return EditionLayout::ClassicOrConflicts;
        case FantasticWorlds: return EditionLayout::FantasticWorlds;
        default: return EditionLayout::None;
    }
}
