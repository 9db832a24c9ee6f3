#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rules/RulesText.h"

class RulesTextInput;

// Drops lines until `count` counted lines have gone by, adding each counted piece to
// `countedPieces` when one is given. Lines that do not count and follow the last of them
// stay in the stream for what reads next. False when the text ends first.
bool passOverCountedLines(RulesTextInput& input, std::int32_t count, std::size_t capacity,
                          std::vector<RulesPiece>* countedPieces);
