#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "ConversionSupport.h"
#include "driver/ExitCodes.h"
#include "driver/RunConversion.h"
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

// Through the whole run: the output file is a device that takes no data.
TEST(WriteFailure, RunReportsTheFileItCouldNotWrite) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no device that reports a full disk";
    TempFolder folder("tavorel-scenario");
    writeTemplateFolder(folder / "template", 3);
    ScenarioFolderOptions options;
    options.withBitmaps = false;
    options.withCompanions = false;
    const fs::path scenario = writeScenarioFolder(folder / "scen", options);
    const fs::path output = folder / "scen" / "Converted" / scenario.filename();
    fs::create_directories(output.parent_path());
    fs::create_symlink("/dev/full", output);

    std::ostringstream console;
    const int code = runConversion({scenario.string()}, console, folder / "template");
    EXPECT_EQ(code, exit_code::SomethingSkipped);
    const std::string text = console.str();
    EXPECT_NE(text.find("Converting SCN file...\nError: could not write " + output.string() + "!\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("Converting SCN file...\nDone!"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::symlink_status(output))) << "the half-written output is left behind";
}
