#pragma once

#include <string>
#include <utility>

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
