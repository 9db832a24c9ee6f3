#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "RunTool.h"
#include "kit/BitmapSample.h"
#include "kit/Files.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

using Tree = FileTree;
const auto readTree = readFileTree;  // Converted folders included

// Where `path` lies in a folder named Converted: the position of that name, or npos.
std::size_t convertedFolderAt(const std::string& path) {
    if (path.rfind("Converted/", 0) == 0) return 0;
    const std::size_t at = path.find("/Converted/");
    return at == std::string::npos ? at : at + 1;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// The output of a folder run without the lines that its summary prints under a scenario's
// name (its first problem), which the table of command lines checks.
std::string withoutProblemNotes(const std::string& output) {
    std::string kept;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) kept += line.rfind("    ", 0) == 0 ? "" : line + "\n";
    return kept;
}

// One scenario of the collection: where it lies and how a run of its own ends.
struct Member {
    const char* relativePath;
    int exitCode;  // as the parent process sees it: -1 arrives as 255
};

// In the byte order of their paths: upper-case letters before lower-case ones.
const Member kMembers[] = {
    {"Alpha.scn", 0},
    {"Upper/ROME.SCN", 0},
    {"broken/Bad.scn", 255},  // refused: no scenario version byte
    {"folder.scn/Inner.Scn", 0},
    {"lower/rome.scn", 0},
    {"problems/Sample.scn", 2},  // a Units.bmp that is no bitmap
    // Two scenarios sharing one Converted folder and one rules text, written for the second's
    // edition: the first's rules do not fit its plan.
    {"shared/First.scn", 2},
    {"shared/second.scn", 0},
};
const std::size_t kMemberCount = sizeof kMembers / sizeof kMembers[0];

class Collection : public ::testing::Test {
protected:
    void SetUp() override {
        if (!canRunTool()) GTEST_SKIP() << "this platform's binary is run by the Windows check of CI";
        writeTemplateFolder(templates(), 3);
    }
    fs::path templates() const { return world / "template"; }

    void addScenario(const fs::path& folder, const std::string& baseName, ScenarioEdition edition,
                     std::uint64_t seed) {
        ScenarioFolderOptions options;
        options.baseName = baseName;
        options.scenario.edition = edition;
        options.scenario.seed = seed;
        writeScenarioFolder(folder, options);
    }

    // Nested folders, every edition, names in both letter cases, the outputs of an earlier
    // run, a link back to a parent, a refused scenario and one with a problem.
    void writeCollection(const fs::path& root) {
        addScenario(root, "Alpha", Classic, 5);
        addScenario(root / "Upper", "ROME", FantasticWorlds, 6);
        fs::rename(root / "Upper" / "ROME.scn", root / "Upper" / "ROME.SCN");
        fs::create_directories(root / "broken");
        writeFileBytes(root / "broken" / "Bad.scn", {1, 2, 3});
        addScenario(root / "folder.scn", "Inner", Conflicts, 7);
        fs::rename(root / "folder.scn" / "Inner.scn", root / "folder.scn" / "Inner.Scn");
        addScenario(root / "lower", "rome", Conflicts, 8);
        addScenario(root / "lower" / "Converted", "Old", Classic, 9);
        addScenario(root / "lower" / "deeper" / "CONVERTED", "Older", Classic, 9);
        addScenario(root / "problems", "Sample", Classic, 10);
        writeFileBytes(root / "problems" / "Units.bmp", {'B', 'M', 0, 0});
        addScenario(root / "shared", "First", Classic, 11);
        addScenario(root / "shared", "second", FantasticWorlds, 12);
        writeFileBytes(root / "notes.txt", {'n'});
        std::error_code error;
        fs::create_directory_symlink("..", root / "lower" / "loop", error);
        ASSERT_FALSE(error) << "cannot make a link to a folder here: " << error.message();
    }

    // The collection's expected output and files: each scenario converted by a run of its
    // own, in order, on a copy of the collection at `singles`.
    std::string convertOneByOne(const fs::path& collection, const fs::path& singles) {
        fs::copy(collection, singles, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        std::string output;
        for (std::size_t k = 0; k < kMemberCount; ++k) {
            const Member& member = kMembers[k];
            const ToolRun single = runTool({(singles / member.relativePath).string()}, templates());
            EXPECT_EQ(single.exitCode, member.exitCode) << member.relativePath << "\n" << single.output;
            output += "[" + std::to_string(k + 1) + "/" + std::to_string(kMemberCount) + "] " +
                      (collection / member.relativePath).string() + "\n" +
                      replaceAll(single.output, singles.string(), collection.string());
        }
        return output;
    }

    TempFolder world{"tavorel-collection"};
};

std::string expectedSummary(const fs::path& collection) {
    std::size_t complete = 0, withProblems = 0, refused = 0;
    std::string lines;
    for (const Member& member : kMembers) {
        const std::string path = (collection / member.relativePath).string();
        if (member.exitCode == 0) {
            ++complete;
        } else if (member.exitCode == 2) {
            ++withProblems;
            lines += "  with problems: " + path + "\n";
        } else {
            ++refused;
            lines += "  refused: " + path + "\n";
        }
    }
    return "Converted " + std::to_string(kMemberCount) + " scenarios: " + std::to_string(complete) +
           " complete, " + std::to_string(withProblems) + " with problems, " + std::to_string(refused) +
           " refused\n" + lines;
}

}  // namespace

TEST_F(Collection, ConvertsLikeSingleRunsInByteOrder) {
    const fs::path collection = world / "collection";
    writeCollection(collection);
    const Tree before = readTree(collection);
    const std::string expected = convertOneByOne(collection, world / "singles") + expectedSummary(collection);

    const ToolRun run = runTool({collection.string()}, templates());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(withoutProblemNotes(run.output), expected);
    EXPECT_EQ(run.errors, "");

    const Tree after = readTree(collection);
    EXPECT_TRUE(after == readTree(world / "singles")) << "the files differ from those of single runs";
    for (const auto& [path, bytes] : before) {
        if (convertedFolderAt(path) != std::string::npos) continue;  // outputs are rewritten
        const auto found = after.find(path);
        EXPECT_TRUE(found != after.end() && found->second == bytes) << path << " changed";
    }
    EXPECT_EQ(after.count("lower/Converted/Converted/Old.scn"), 0u) << "an earlier run's outputs were converted";
    EXPECT_EQ(after.count("shared/Converted/First.scn") + after.count("shared/Converted/second.scn"), 2u);
}

// A read-only collection (a copy that no run may change) converts with --out into the
// same subfolders under the named folder, with files equal to the Converted ones.
TEST_F(Collection, ReadOnlyCollectionWithOutFolder) {
    const fs::path collection = world / "collection";
    writeCollection(collection);
    const fs::path readOnly = world / "read-only";
    fs::copy(collection, readOnly, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    const std::string expected =
        replaceAll(convertOneByOne(collection, world / "singles"), collection.string(), readOnly.string()) +
        expectedSummary(readOnly);

    const Tree before = readTree(readOnly);
    for (const auto& entry : fs::recursive_directory_iterator(readOnly)) {
        if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::remove);
    }
    const fs::path outs = world / "outs" / "nested";
    const ToolRun run = runTool({"--out", outs.string(), readOnly.string()}, templates());
    for (const auto& entry : fs::recursive_directory_iterator(readOnly)) {
        if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
    }

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(withoutProblemNotes(run.output), expected);
    EXPECT_TRUE(readTree(readOnly) == before) << "the read-only collection changed";
    EXPECT_FALSE(fs::exists(readOnly / "Converted"));

    // Each scenario folder's Converted files of the single runs, at the same place under --out.
    Tree wanted;
    for (const auto& [path, bytes] : readTree(world / "singles")) {
        const std::size_t at = convertedFolderAt(path);
        if (at == std::string::npos || path.rfind("lower/Converted/Old", 0) == 0) continue;
        wanted[path.substr(0, at) + path.substr(at + std::string("Converted/").size())] = bytes;
    }
    EXPECT_TRUE(readTree(outs) == wanted) << "the --out files differ from the Converted ones";
}

TEST_F(Collection, FolderWithoutScenarioFile) {
    const fs::path empty = world / "empty";
    addScenario(empty / "Converted", "Old", Classic, 1);  // outputs are no scenarios
    writeFileBytes(empty / "Rules.scn.txt", {'x'});
    const ToolRun run = runTool({empty.string()}, templates());
    EXPECT_EQ(run.exitCode, 255);
    EXPECT_EQ(run.output, "No scenario file found in " + empty.string() + "\n");
}

TEST_F(Collection, AllCompleteExitsWithZero) {
    addScenario(world / "two" / "a", "A", Classic, 1);
    addScenario(world / "two" / "b", "B", FantasticWorlds, 2);
    const ToolRun run = runTool({(world / "two").string()}, templates());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind("[1/2] " + (world / "two" / "a" / "A.scn").string() + "\n", 0), 0u);
    EXPECT_NE(run.output.find("\n[2/2] " + (world / "two" / "b" / "B.scn").string() + "\n"), std::string::npos);
    const std::string summary = "Conversion Terminated\nConverted 2 scenarios: 2 complete, 0 with problems, 0 refused\n";
    EXPECT_EQ(run.output.substr(run.output.size() - summary.size()), summary);
}
