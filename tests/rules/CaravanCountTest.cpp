#include <gtest/gtest.h>

#include <string>

#include "RulesTestFiles.h"

namespace {

int countCaravan(const std::string& text, std::string* nextLine = nullptr) {
    RulesCopyBench bench(text);
    const int count = bench.converter().countCaravanLines(bench.input());
    if (nextLine != nullptr) *nextLine = bench.nextLine();
    return count;
}

}  // namespace

TEST(CountCaravanLines, CountsTheCountedLinesBetweenTheHeadersAndRewinds) {
    std::string caravan;
    for (int i = 1; i <= 16; ++i) {
        caravan += (i % 5 == 0 ? "  " : "") + std::string("Good ") + std::to_string(i) + ", 1\n";
        if (i % 4 == 0) caravan += "; note\n\n: remark\n";
    }
    std::string first;
    EXPECT_EQ(countCaravan("@COSMIC\nA, 1\n@CARAVAN\n" + caravan + "@ORDERS\nB, 2\n", &first), 16);
    EXPECT_EQ(first, "@COSMIC\n");
    // A caravan line of 200 characters is two pieces, both counted.
    EXPECT_EQ(countCaravan("@CARAVAN\n" + std::string(200, 'g') + "\n@ORDERS\n"), 2);
    // Only a header that is exactly "@ORDERS" ends the section.
    EXPECT_EQ(countCaravan("@CARAVAN\nA\n@ORDERS ; x\nB\n@ORDERS\n"), 3);
}

TEST(CountCaravanLines, MinusTwoWhenOrdersComesFirstOrNeverComes) {
    EXPECT_EQ(countCaravan("A\n@ORDERS\n@CARAVAN\nB\nC\n@ORDERS\n"), -2);
    EXPECT_EQ(countCaravan("A\n@ORDERS\nB\n"), -2);
    std::string first;
    EXPECT_EQ(countCaravan("A\n@CARAVAN\nB\nC\nD\n", &first), -2);
    EXPECT_EQ(first, "A\n");
    EXPECT_EQ(countCaravan(""), -2);
}
