#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "base/ReplacingOutput.h"
#include "base/SystemFile.h"

class ScenarioConverter;
class SourcePicture;
class TemplatePicture;

// A step makes at most two destination files: Icons.bmp makes Improvements.bmp too.
constexpr std::size_t kMaxTemplates = 2;

// A step's layout, called with the step's destination pictures in the order of its templates.
using LayoutCall = int (*)(ScenarioConverter& converter, const SourcePicture& source,
                           TemplatePicture* const* destinations);

// Reports a problem that leaves the step's picture `bitmap` unconverted:
// "Error: <what>, <bitmap> not converted!".
void reportStepProblem(ScenarioConverter& converter, const char* bitmap, const std::string& what);

// One destination file of a step: its template, and the copy of it that the layout edits.
struct StepPicture {
    std::filesystem::path templatePath;
    InputFile templateFile;
    TemplatePicture* picture = nullptr;
    std::filesystem::path destinationPath;
    // What the destination path held before.
    std::filesystem::file_type found = std::filesystem::file_type::none;
    std::optional<ReplacingOutput> destination;  // replaces the file of its name when complete
};

// The destination files of one step, made from the scenario's picture at `sourcePath`. A
// step either makes all its destination files or none; problems are reported as the
// step's (reportStepProblem).
class StepDestinations {
public:
    StepDestinations(ScenarioConverter& converter, const char* bitmap, const std::filesystem::path& sourcePath)
        : converter_(converter), bitmap_(bitmap), sourcePath_(sourcePath) {}

    // The next destination of the step, whose template passes through `picture`; the caller
    // opens its template and names its files.
    StepPicture& add(TemplatePicture& picture);
    // False, reported, when a destination that is there already is an output of the run or
    // one of the pictures the step is made from.
    bool areNew();
    // Writes every destination as a copy of its template edited by `layout`, and puts them in
    // place together. False, reported, when any of that failed.
    bool write(LayoutCall layout, const SourcePicture& source);
    // Drops the destinations not yet in place; their names keep what they held.
    void remove();

private:
    void report(const std::string& what) { reportStepProblem(converter_, bitmap_, what); }
    // The parts of write(), in order: the files created; the templates copied into them,
    // edited window by window, and each file finished; the files put in place.
    bool create();
    bool copyTemplates(LayoutCall layout, const SourcePicture& source);
    bool putInPlace(const SourcePicture& source);
    bool copied(const StepPicture& picture, bool succeeded);

    ScenarioConverter& converter_;
    const char* const bitmap_;
    const std::filesystem::path& sourcePath_;
    std::array<StepPicture, kMaxTemplates> pictures_;
    std::size_t count_ = 0;  // templates of the step
    std::size_t made_ = 0;   // destination files created so far
};
