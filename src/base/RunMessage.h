#pragma once

#include <string>

// One message of a run as a value: a note (something worth knowing that lost nothing) or a
// problem (a warning or an error, which the run's exit code tells of), with its lines as the
// console prints them, each ending in a line feed. The console and a report are both written
// from these values.
struct RunMessage {
    enum class Severity { Note, Problem };
    Severity severity = Severity::Problem;
    std::string lines;
};
