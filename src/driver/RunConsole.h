#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "base/RunMessage.h"

// Where the messages of a run go. Progress lines and notes are written to progress(); every problem
// (a warning or an error: one line, or the few lines of one message) goes through
// problem(), the one place that knows a line for a problem. A quiet console prints the
// problems only: progress is dropped, and the heading of a scenario in a folder run is held
// back until that scenario has a problem to show.
class RunConsole {
public:
    RunConsole(std::ostream& out, bool quiet) : out_(out), quiet_(quiet) {}
    RunConsole(const RunConsole&) = delete;
    RunConsole& operator=(const RunConsole&) = delete;

    std::ostream& progress() { return quiet_ ? dropped_ : out_; }
    // Lines printed in every mode, as the summary of a folder run.
    std::ostream& always() { return out_; }

    // One problem message, each of its lines ending in a line feed.
    void problem(const std::string& lines);
    // One note, printed where progress is: a quiet console leaves it out, and it is no problem.
    void note(const std::string& lines);

    // Starts a scenario of a folder run, introduced by `heading` (a whole line).
    void startScenario(const std::string& heading);
    // The problems since the scenario started (or the console was made): how many, and
    // the first line of the first, without its line feed.
    std::size_t problemCount() const { return problemCount_; }
    const std::string& firstProblemLine() const { return firstProblemLine_; }
    // Every note and problem since the scenario started (or the console was made), in order,
    // whether or not a quiet console printed it.
    const std::vector<RunMessage>& messages() const { return messages_; }

private:
    std::ostream& out_;
    const bool quiet_;
    std::ostream dropped_{nullptr};  // without a buffer: what is written to it goes nowhere
    std::string heldHeading_;
    std::size_t problemCount_ = 0;
    std::string firstProblemLine_;
    std::vector<RunMessage> messages_;
};
