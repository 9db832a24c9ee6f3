#pragma once

#include <string>
#include <utility>

// How this program fails, everywhere:
// - The conversion's own operations (convertScenarioFile, mergeRules, convertGraphics,
//   copyCompanionFiles, the layouts and the cell primitives) return an int, as a rule 1.
// - Below a step, an operation that can fail returns an Outcome, or a value that carries
//   one (FolderListing): success, or the problem in words. Only the smallest acts of
//   reading and writing, whose caller names the file and the act itself (read a window,
//   write the rows, put an output in place), answer with a bool, which their caller turns
//   into its message at once.
// - A step reports a problem once, through ScenarioConverter::reportProblem, which also
//   gives the run its exit code 2; a scenario that cannot be converted at all goes back to
//   the driver (ScenarioRefusal, or the driver's own checks), which prints why and returns -1.
// - No flag set on the side through an out-parameter, and no exception as a way to fail:
//   nothing here throws on purpose. The two catch blocks (in main, and around each scenario
//   of a folder run) only keep an exception of the standard library (memory exhausted) from
//   ending the process with a message on standard error.
//
// What an operation returns when it can fail in a way its caller must act on: success, or
// the problem, worded to follow the name of the file it concerns ("is not a bitmap") or,
// where the operation names its files itself, as a whole clause ("could not read
// Rules.txt"). The caller that knows the step words the message line around it and sends
// it through the converter's one reporting function, ScenarioConverter::reportProblem.
class [[nodiscard]] Outcome {
public:
    static Outcome success() { return Outcome(); }
    static Outcome failure(std::string problem) {
        Outcome outcome;
        outcome.failed_ = true;
        outcome.problem_ = std::move(problem);
        return outcome;
    }

    bool ok() const { return !failed_; }
    const std::string& problem() const { return problem_; }

private:
    bool failed_ = false;
    std::string problem_;
};
