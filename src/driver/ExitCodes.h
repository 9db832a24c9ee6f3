#pragma once

// Process exit codes of a run.
namespace exit_code {
constexpr int Converted = 0;         // a full run converted everything it found
constexpr int Answered = 0;          // --help or --version
constexpr int HelpShown = 1;         // the help screen, a usage line, or an unknown option
constexpr int GraphicsOnly = 1;      // after a graphics-only run, whatever it reported
constexpr int SomethingSkipped = 2;  // a full run that skipped something it reported
constexpr int Refused = -1;          // the scenario cannot be converted at all
}  // namespace exit_code
