#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>

#include "base/ScenarioEdition.h"

// The scenario conversion as data: each part of the file is a constant table of steps,
// one row per step in file order, walked by one small loop. Every row names the output
// offset (from the start of its part) where it begins; the compiler checks those offsets
// against the running sum of the rows before, and each table's input and output sizes
// against the sizes of its part.

enum class StepKind : std::uint8_t {
    Copy,            // copy `count` bytes or words
    Zeros,           // write `count` zero bytes or words
    Literal,         // write the first `count` bytes of `literal`
    Skip,            // read `count` bytes and drop them
    AdjustCityByte,  // read the one city byte that changes, write it adjusted
    Nothing,         // a cell of one edition that the other edition's row covers
};

constexpr std::size_t kMaxLiteralBytes = 10;

struct Step {
    StepKind kind = StepKind::Nothing;
    std::int32_t count = 0;
    bool wide = false;  // count in 16-bit words
    std::array<std::uint8_t, kMaxLiteralBytes> literal{};
};

constexpr Step copyWords(std::int32_t count) { return {StepKind::Copy, count, true, {}}; }
constexpr Step copyBytes(std::int32_t count) { return {StepKind::Copy, count, false, {}}; }
constexpr Step zeroWords(std::int32_t count) { return {StepKind::Zeros, count, true, {}}; }
constexpr Step zeroBytes(std::int32_t count) { return {StepKind::Zeros, count, false, {}}; }
constexpr Step skipBytes(std::int32_t count) { return {StepKind::Skip, count, false, {}}; }
constexpr Step copyAdjustedCityByte() { return {StepKind::AdjustCityByte, 1, false, {}}; }
// The one city byte (record offset 57) whose value changes: 80 to 220 become one less.
constexpr std::uint8_t adjustedCityByte(std::uint8_t value) {
    return value >= 80 && value <= 220 ? static_cast<std::uint8_t>(value - 1) : value;
}
constexpr Step nothing() { return {}; }

template <typename... Bytes>
constexpr Step writeBytes(Bytes... bytes) {
    static_assert(sizeof...(Bytes) <= kMaxLiteralBytes, "literal longer than a step holds");
    return {
        StepKind::Literal, static_cast<std::int32_t>(sizeof...(Bytes)), false, {static_cast<std::uint8_t>(bytes)...}};
}

constexpr std::int64_t inputBytes(const Step& step) {
    switch (step.kind) {
        case StepKind::Copy:
        case StepKind::Skip:
        case StepKind::AdjustCityByte: return step.wide ? 2 * std::int64_t{step.count} : step.count;
        default: return 0;
    }
}

constexpr std::int64_t outputBytes(const Step& step) {
    switch (step.kind) {
        case StepKind::Copy:
        case StepKind::Zeros:
        case StepKind::Literal:
        case StepKind::AdjustCityByte: return step.wide ? 2 * std::int64_t{step.count} : step.count;
        default: return 0;
    }
}

// A step with the output offset, from the start of its part, where it begins.
struct PlacedStep {
    std::int32_t outputOffset;
    Step step;
};

// One row of a part whose layout differs by edition: the Classic and Conflicts cell
// beside the FantasticWorlds cell.
struct EditionRow {
    PlacedStep classic;
    PlacedStep fantasticWorlds;
};

// A row whose step is the same for every edition.
constexpr EditionRow bothEditions(std::int32_t outputOffset, Step step) {
    return {{outputOffset, step}, {outputOffset, step}};
}

// The column of an edition row that a file of this layout reads.
constexpr const PlacedStep& cell(const EditionRow& row, EditionLayout column) {
    return column == EditionLayout::FantasticWorlds ? row.fantasticWorlds : row.classic;
}

// --- compile-time checks --------------------------------------------------------------

template <std::size_t N>
constexpr std::int64_t inputBytes(const std::array<PlacedStep, N>& table) {
    std::int64_t sum = 0;
    for (const PlacedStep& row : table) sum += inputBytes(row.step);
    return sum;
}

template <std::size_t N>
constexpr std::int64_t outputBytes(const std::array<PlacedStep, N>& table) {
    std::int64_t sum = 0;
    for (const PlacedStep& row : table) sum += outputBytes(row.step);
    return sum;
}

// Input offset, from the start of its part, where row `index` begins reading.
template <std::size_t N>
constexpr std::int64_t inputOffsetOfRow(const std::array<PlacedStep, N>& table, std::size_t index) {
    std::int64_t offset = 0;
    for (std::size_t i = 0; i < index && i < N; ++i) offset += inputBytes(table[i].step);
    return offset;
}

// True when every row begins where the rows before it end.
template <std::size_t N>
constexpr bool offsetsFollowOn(const std::array<PlacedStep, N>& table) {
    std::int64_t offset = 0;
    for (const PlacedStep& row : table) {
        if (row.outputOffset != offset) return false;
        offset += outputBytes(row.step);
    }
    return true;
}

template <std::size_t N>
constexpr std::array<PlacedStep, N> columnOf(const std::array<EditionRow, N>& table, EditionLayout column) {
    std::array<PlacedStep, N> cells{};
    for (std::size_t i = 0; i < N; ++i) cells[i] = cell(table[i], column);
    return cells;
}

// --- the walk ---------------------------------------------------------------------------

void runStep(const Step& step, std::istream& input, std::ostream& output);

template <std::size_t N>
void runSteps(const std::array<PlacedStep, N>& table, std::istream& input, std::ostream& output) {
    for (const PlacedStep& row : table) runStep(row.step, input, output);
}

template <std::size_t N>
void runSteps(const std::array<EditionRow, N>& table, EditionLayout column, std::istream& input, std::ostream& output) {
    for (const EditionRow& row : table) runStep(cell(row, column).step, input, output);
}
