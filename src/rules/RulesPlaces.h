#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "rules/RulesMergePlan.h"
#include "rules/RulesPlanPairing.h"

// The destination's layout, as the plan fills it: the template's counted lines up to the
// last one that the plan passes over are its places, each written by one run of the plan.
//  - A scenario place is one that a template run passes over and a scenario run fills
//    with the scenario line paired with it.
//  - A template place is one that a template run copies.
//  - A caravan place is one that a template run passes over and no scenario run pairs:
//    the template's own caravan lines, in whose stead the caravan run writes the
//    scenario's, as many as they are.
// What follows the last place is the template's rest, copied as it is.

enum class PlaceRole : std::uint8_t { Scenario, Template, Caravan };

struct RulesPlace {
    PlaceRole role = PlaceRole::Template;
    std::uint8_t run = 0;     // the row of the plan that writes it
    std::uint8_t readBy = 0;  // the template run that reads it
};

constexpr std::size_t kRulesPlaces =
    static_cast<std::size_t>(countedLinesThrough(Classic, RulesSource::Template, kRulesMergePlan.size()));

using RulesPlaces = std::array<RulesPlace, kRulesPlaces>;

constexpr std::size_t caravanRow(ScenarioEdition edition) {
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        if (kRulesMergePlan[row].runFor(edition).length == RunLength::CaravanSection) return row;
    }
    return kRulesMergePlan.size();
}

constexpr RulesPlaces placesFor(ScenarioEdition edition) {
    RulesPlaces places{};
    std::size_t first = 0;  // the first place that a template run reads
    for (std::size_t row = 0; row < kRulesMergePlan.size(); ++row) {
        const RulesRun& run = kRulesMergePlan[row].runFor(edition);
        if (run.source != RulesSource::Template) continue;
        const std::size_t copied = run.length == RunLength::Counted ? static_cast<std::size_t>(run.copy) : 0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(run.passOver) + copied; ++i) {
            const bool passedOver = i < static_cast<std::size_t>(run.passOver);
            places[first + i] = RulesPlace{passedOver ? PlaceRole::Caravan : PlaceRole::Template,
                                           static_cast<std::uint8_t>(passedOver ? caravanRow(edition) : row),
                                           static_cast<std::uint8_t>(row)};
        }
        first += static_cast<std::size_t>(run.passOver) + copied;
    }
    const RunPairings pairing = pairRuns(edition);
    for (std::size_t i = 0; i < pairing.count; ++i) {
        const RunPairing& pair = pairing.pairs[i];
        const std::size_t start = static_cast<std::size_t>(
            countedLinesThrough(edition, RulesSource::Template, static_cast<int>(pair.templateRow)) +
            pair.firstPassedOver);
        for (std::int32_t k = 0; k < pair.lines; ++k) {
            RulesPlace& place = places[start + static_cast<std::size_t>(k)];
            place.role = PlaceRole::Scenario;
            place.run = static_cast<std::uint8_t>(pair.scenarioRow);
        }
    }
    return places;
}

// --- checks on the places ------------------------------------------------------------------

namespace rules_places_check {

// The caravan places stand together, as many as the usual caravan section holds, after a
// scenario place and before another.
constexpr bool caravanPlacesTogether(ScenarioEdition edition) {
    const RulesPlaces places = placesFor(edition);
    std::size_t first = kRulesPlaces;
    std::size_t count = 0;
    for (std::size_t i = 0; i < kRulesPlaces; ++i) {
        if (places[i].role != PlaceRole::Caravan) continue;
        if (count > 0 && first + count != i) return false;
        if (count == 0) first = i;
        ++count;
    }
    return count == static_cast<std::size_t>(kUsualCaravanLines) && first > 0 && first + count < kRulesPlaces &&
           places[first - 1].role == PlaceRole::Scenario && places[first + count].role == PlaceRole::Scenario;
}
static_assert(kRulesPlaces == 528);
static_assert(caravanPlacesTogether(Classic));
static_assert(caravanPlacesTogether(Conflicts));
static_assert(caravanPlacesTogether(FantasticWorlds));
// Fantastic Worlds fills template lines 128 to 134 with its own step 4.
static_assert(placesFor(FantasticWorlds)[127].role == PlaceRole::Scenario && placesFor(FantasticWorlds)[127].run == 3);
static_assert(placesFor(Classic)[127].role == PlaceRole::Template && placesFor(Classic)[127].run == 3);

}  // namespace rules_places_check
