#pragma once

#include <string_view>

#include "rules/RulesText.h"

// Counts the scenario's caravan lines: the counted lines strictly between the first line
// that is exactly "@CARAVAN" and the first line exactly "@ORDERS" after it; -2 when
// "@ORDERS" comes first or never. Fed every piece of a text in order.
class CaravanCounter {
public:
    void see(const RulesPieceView& piece, bool counted) {
        if (done_) return;
        if (is(piece, kCaravanHeader)) started_ = true;
        if (started_ && counted) ++count_;
        done_ = is(piece, kOrdersHeader);
    }
    // Counted lines that are no section headers.
    void seePlainCountedLines(std::int64_t lines) {
        if (started_ && !done_) count_ += lines;
    }
    bool done() const { return done_; }
    int result() const { return done_ ? static_cast<int>(count_ - kBothHeaders) : -kBothHeaders; }

private:
    static constexpr std::string_view kCaravanHeader = "@CARAVAN";
    static constexpr std::string_view kOrdersHeader = "@ORDERS";
    static constexpr int kBothHeaders = 2;  // the two header lines count themselves

    // The whole piece, its line feed too: a header cut short by the end of the text is none.
    static bool is(const RulesPieceView& piece, std::string_view header) {
        return piece.endsLine && piece.body == header;
    }

    bool started_ = false;
    bool done_ = false;
    std::int64_t count_ = 0;
};
