#include "driver/RunConsole.h"

void RunConsole::problem(const std::string& lines) {
    out_ << heldHeading_ << lines;
    heldHeading_.clear();
    if (problemCount_++ == 0) firstProblemLine_ = lines.substr(0, lines.find('\n'));
    messages_.push_back({RunMessage::Severity::Problem, lines});
}

void RunConsole::note(const std::string& lines) {
    progress() << lines;
    messages_.push_back({RunMessage::Severity::Note, lines});
}

void RunConsole::startScenario(const std::string& heading) {
    problemCount_ = 0;
    firstProblemLine_.clear();
    messages_.clear();
    if (quiet_) {
        heldHeading_ = heading;
    } else {
        out_ << heading;
    }
}
