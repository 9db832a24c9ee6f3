#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "ConversionSupport.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
#include "kit/BitmapSample.h"
#include "kit/FileSizeLimit.h"
#include "kit/SampleWorld.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Takes `capacity` bytes and refuses every write after them, as a full disk does.
class FillingBuffer : public std::streambuf {
public:
    explicit FillingBuffer(std::size_t capacity) : bytes_(capacity) { setp(bytes_.data(), bytes_.data() + capacity); }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode) override {
        if (direction != std::ios_base::cur || pptr() - pbase() + offset < 0) return pos_type(off_type(-1));
        pbump(static_cast<int>(offset));
        return pos_type(pptr() - pbase());
    }

private:
    std::vector<char> bytes_;
};

}  // namespace

TEST(WriteFailure, AnOutputThatRefusesWritesIsLeftFailed) {
    const Bytes input = makeScenarioFile(ScenarioSampleOptions{});
    const std::size_t fullSize = 74451;
    // In the header, in the map data just after the step back, in the tail, in the last byte.
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{1000}, std::size_t{30000}, std::size_t{56000},
                                       fullSize - 1, fullSize}) {
        ProfiledConverter profiled(input);
        std::istringstream in(asText(input), std::ios::binary);
        FillingBuffer disk(capacity);
        std::ostream out(&disk);
        profiled.converter.convertScenarioFile(in, out);
        EXPECT_EQ(out.fail(), capacity < fullSize) << "capacity " << capacity;
    }
}

// Through the whole run: the disk fills up while the scenario file is written. The
// conversion of an earlier run stays as it was.
TEST(WriteFailure, RunReportsTheFileItCouldNotWriteAndKeepsTheEarlierOne) {
    TempFolder folder("tavorel-scenario");
    writeTemplateFolder(folder / "template", 3);
    ScenarioFolderOptions options;
    options.withBitmaps = false;
    options.withCompanions = false;
    const fs::path scenario = writeScenarioFolder(folder / "scen", options);
    const fs::path output = folder / "scen" / "Converted" / scenario.filename();
    fs::create_directories(output.parent_path());
    const Bytes earlier{'e', 'a', 'r', 'l', 'i', 'e', 'r'};
    writeFileBytes(output, earlier);

    std::ostringstream console;
    int code = 0;
    {
        FileSizeLimit disk(40000);  // the scenario output has 74451 bytes
        if (!disk.active()) GTEST_SKIP() << disk.problem();
        code = runConversion({scenario.string()}, console, folder / "template");
    }
    EXPECT_EQ(code, exit_code::SomethingSkipped);
    const std::string text = console.str();
    EXPECT_NE(text.find("Converting SCN file...\nError: could not write " + output.string() + " (File too large)!\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Converting SCN file...\nDone!"), std::string::npos);
    EXPECT_EQ(readFileBytes(output), earlier) << "the earlier conversion is kept";
    EXPECT_TRUE(fs::exists(output.parent_path() / "Rules.txt")) << "the other outputs are made";
    EXPECT_EQ(std::distance(fs::directory_iterator(output.parent_path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}
