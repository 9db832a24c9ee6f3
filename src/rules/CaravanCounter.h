#pragma once

#include <cstddef>
#include <string>

// Counts the scenario's caravan lines: the counted lines strictly between the first line
// that is exactly "@CARAVAN" and the first line exactly "@ORDERS" after it; -2 when
// "@ORDERS" comes first or never. Fed every piece of a text in order.
class CaravanCounter {
public:
    void see(const std::string& piece, bool counted) {
        if (done_) return;
        if (is(piece, kCaravanHeader)) started_ = true;
        if (started_ && counted) ++count_;
        done_ = is(piece, kOrdersHeader);
    }
    bool done() const { return done_; }
    int result() const { return done_ ? count_ - kBothHeaders : -kBothHeaders; }

private:
    static constexpr const char kCaravanHeader[] = "@CARAVAN\n";
    static constexpr const char kOrdersHeader[] = "@ORDERS\n";
    static constexpr int kBothHeaders = 2;  // the two header lines count themselves

    template <std::size_t N>
    static bool is(const std::string& piece, const char (&line)[N]) {
        return piece.size() == N - 1 && piece.compare(0, N - 1, line) == 0;
    }

    bool started_ = false;
    bool done_ = false;
    int count_ = 0;
};
