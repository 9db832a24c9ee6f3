#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "base/ScenarioEdition.h"
#include "rules/RulesAlignment.h"

class RulesTextInput;
class RulesTextOutput;
class RunConsole;
class ScenarioSectionIndex;
struct RulesPiece;

// Why probeScenario would not take a scenario file, with what it found there, so that
// the message says it without reading the file again. Compared with a kind alone.
struct ScenarioRefusal {
    enum Kind {
        None,
        UnsupportedVersion,  // version byte neither 39 nor 40, or no version byte at all
        ShorterThanCounts,   // the file holds less than its map, unit and city counts announce
    };
    ScenarioRefusal(Kind refused = None) : kind(refused) {}  // implicit: a kind alone is a refusal
    bool operator==(Kind other) const { return kind == other; }
    bool operator!=(Kind other) const { return kind != other; }
    bool operator==(const ScenarioRefusal& other) const { return kind == other.kind; }

    Kind kind;
    // UnsupportedVersion: the version byte found, or -1 when the file ends before it;
    // then `fileSize` is the bytes it holds.
    int versionByte = -1;
    std::int64_t fileSize = 0;
};

// The one converter of a run: the scenario profile and every conversion operation.
// Progress messages go to console(); a problem that makes the run skip something is
// printed through reportProblem, which the driver turns into the exit code.
class ScenarioConverter {
public:
    // Every message printed on `console`.
    explicit ScenarioConverter(std::ostream& console);
    // The messages through the run's console, which may print problems only.
    explicit ScenarioConverter(RunConsole& console);
    ~ScenarioConverter();
    ScenarioConverter(const ScenarioConverter&) = delete;
    ScenarioConverter& operator=(const ScenarioConverter&) = delete;

    // --- profile -----------------------------------------------------------------
    std::string scenarioName;  // file name with extension; empty in graphics-only mode
    ScenarioEdition edition = Conflicts;
    std::int32_t fixedPartSize = 0;
    std::int32_t mapOffset = 0;
    std::int32_t unitCount = 0;
    std::int32_t cityCount = 0;
    std::int32_t mapHalfWidth = 0;
    std::int32_t mapHeight = 0;
    std::int64_t tailSize = 0;  // 64 bits: a tail never wraps round, however large the file
    std::int32_t caravanLineCount = 0;
    // How mergeRules wrote the rules text and, section by section, what it changed.
    RulesMergeAccount rulesMerge;

    // Where the destination format's default Rules.txt and bitmaps are found: the
    // working directory of the run unless a caller says otherwise.
    std::filesystem::path templateFolder = ".";
    // Where the outputs go when the user named a folder for them; empty for the folder
    // Converted inside the scenario folder.
    std::filesystem::path outputFolder;
    // The folder that receives every output of a run on `scenarioFolder`.
    std::filesystem::path outputFolderFor(const std::filesystem::path& scenarioFolder) const;

    // --- profile and banner (driver) ----------------------------------------------
    ScenarioRefusal probeScenario(std::istream& scenario, RulesTextInput* rules);
    int probeRulesEdition(RulesTextInput* rules);
    int printScenarioInfo();

    // --- scenario file (scenario) ---------------------------------------------------
    int convertScenarioFile(std::istream& input, std::ostream& output);
    int convertRepeatedBlock(std::istream& input, std::ostream& output);
    int convertMapSection(std::istream& input, std::ostream& output);

    // --- rules text (rules) ---------------------------------------------------------
    // The copiers add the counted pieces that they pass over (and, for copyRulesSection,
    // copy) to `countedPieces` when one is given.
    int copyRulesSection(RulesTextInput& input, RulesTextOutput& output, std::int32_t skipCount, std::int32_t copyCount,
                         std::vector<RulesPiece>* countedPieces = nullptr);
    int copyRulesRest(RulesTextInput& input, RulesTextOutput& output, std::int32_t skipCount,
                      std::vector<RulesPiece>* countedPieces = nullptr);
    // Reads the whole text, which it leaves at its start, and fills `sections` with its
    // sections on the way when one is given (a fresh index).
    int countCaravanLines(RulesTextInput& scenarioRules, ScenarioSectionIndex* sections = nullptr);
    int mergeRules(RulesTextInput& scenarioRules, RulesTextOutput& output, RulesTextInput& templateRules);

    // --- bitmaps (bitmaps) ------------------------------------------------------------
    int convertGraphics(const std::filesystem::path& scenarioFolder);
    // The names of the template bitmaps that convertGraphics copies, in the order it copies them.
    static std::vector<std::string> templateBitmapNames();

    // --- templates, checked once before a run writes anything ---------------------------
    // A template that no conversion could use: the file, and what is wrong with it, worded
    // to follow its name ("is 320 pixels wide (640 needed)").
    struct TemplateProblem {
        std::filesystem::path file;
        std::string problem;
    };
    // Each template bitmap of `templateFolder` that is there, checked by its headers against
    // the layout that fills it (bitmaps); a missing one is no problem here.
    static std::vector<TemplateProblem> checkTemplatePictures(const std::filesystem::path& templateFolder);
    // The template Rules.txt of `templateFolder`, when it is there, counted as the rules
    // merge reads it: it must hold every counted line that the merge takes from it (rules).
    static std::vector<TemplateProblem> checkTemplateRules(const std::filesystem::path& templateFolder);
    // Cell primitives: from the scenario's picture (bitmaps/SourcePicture.h) into a
    // template whose rows pass through memory (bitmaps/TemplatePicture.h). Each returns 1,
    // or 0 when a picture is not of the primitive's geometry or a rectangle leaves the
    // picture's band (the rows its layout touches); nothing is written then. Only the
    // template's rows in memory are edited.
    int copyCell(const class SourcePicture& source, class TemplatePicture& destination, std::int32_t sourceX,
                 std::int32_t sourceY, std::int32_t destinationX, std::int32_t destinationY, std::int32_t width,
                 std::int32_t height);
    int copyCellNarrow(const class SourcePicture& source, class TemplatePicture& destination, std::int32_t sourceX,
                       std::int32_t sourceY, std::int32_t destinationX, std::int32_t destinationY, std::int32_t width,
                       std::int32_t height);
    int fillMagenta(class TemplatePicture& destination, std::int32_t x, std::int32_t y, std::int32_t width,
                    std::int32_t height);
    int grayToMagenta(class TemplatePicture& destination, std::int32_t x, std::int32_t y, std::int32_t width,
                      std::int32_t height);
    // Layouts: paste the scenario picture's cells into the template copies. Each returns 1,
    // or 0 when a primitive refused a cell.
    int convertUnits(const class SourcePicture& source, class TemplatePicture& destination);
    int convertCities(const class SourcePicture& source, class TemplatePicture& destination);
    int convertTerrain1(const class SourcePicture& source, class TemplatePicture& destination);
    int convertTerrain2(const class SourcePicture& source, class TemplatePicture& destination);
    int convertPeople(const class SourcePicture& source, class TemplatePicture& destination);
    int convertIcons(const class SourcePicture& source, class TemplatePicture& icons,
                     class TemplatePicture& improvements);

    // --- companion files (companions) -------------------------------------------------
    int copyCompanionFiles(const std::filesystem::path& scenarioFolder, const std::string& baseName);

    // --- console and problems -------------------------------------------------------------
    // The stream of progress lines.
    std::ostream& console();
    // Prints one problem line (a line feed is added) and marks the run as having
    // skipped something.
    void reportProblem(const std::string& message);
    bool problemReported() const { return problemReported_; }
    // Prints one note line (a line feed is added): something worth knowing that lost
    // nothing. It leaves the exit code alone, and a quiet run leaves it out.
    void reportNote(const std::string& message);

    // --- outputs of the run -----------------------------------------------------------
    // Every output that a step has made, so that no later step of the run replaces it.
    struct Output {
        std::filesystem::path path;
        std::filesystem::path copiedFrom;  // empty for a converted output
    };
    void recordOutput(const std::filesystem::path& path, const std::filesystem::path& copiedFrom = {});
    const std::vector<Output>& outputs() const { return outputs_; }
    // The output of this run that `destination` names (whatever its spelling), or nullptr.
    const Output* outputAt(const std::filesystem::path& destination) const;
    // Reports that `source` was not copied or converted (`notDone`) because its destination
    // is the output `earlier`: "Warning: <source> not <notDone>, it would replace the
    // converted <name>!" (or "the copied <name>").
    void reportReplacement(const std::filesystem::path& source, const std::string& notDone, const Output& earlier);

    // A converted picture beside the picture it is told against: the scenario's picture it
    // was made from, or for Improvements.bmp the template, each with its width and height.
    struct PictureShown {
        std::filesystem::path path;
        std::int64_t width = 0;
        std::int64_t height = 0;
    };
    struct ConvertedPicture {
        PictureShown from;
        PictureShown converted;
    };
    void recordPicture(const ConvertedPicture& picture) { pictures_.push_back(picture); }
    const std::vector<ConvertedPicture>& pictures() const { return pictures_; }

private:
    std::unique_ptr<RunConsole> ownConsole_;  // for a converter made with a plain stream
    RunConsole& console_;
    bool problemReported_ = false;
    std::vector<Output> outputs_;
    std::vector<ConvertedPicture> pictures_;
};
