#include <gtest/gtest.h>

#include <algorithm>
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
    explicit FillingBuffer(std::streamoff capacity) : capacity_(capacity) {}

protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        const std::streamsize taken = std::max<std::streamoff>(0, std::min<std::streamoff>(count, capacity_ - position_));
        position_ += taken;
        return taken;
    }
    int_type overflow(int_type byte) override {
        if (traits_type::eq_int_type(byte, traits_type::eof()) || position_ >= capacity_) return traits_type::eof();
        ++position_;
        return byte;
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode) override {
        if (direction != std::ios_base::cur || position_ + offset < 0) return pos_type(off_type(-1));
        position_ += offset;
        return pos_type(position_);
    }

private:
    std::streamoff capacity_;
    std::streamoff position_ = 0;
};

}  // namespace

TEST(WriteFailure, AnOutputThatRefusesWritesIsLeftFailed) {
    const Bytes input = makeScenarioFile(ScenarioSampleOptions{});
    const std::streamoff fullSize = 74451;
    // In the header, in the map data just after the step back, in the tail, in the last byte.
    for (const std::streamoff capacity : {std::streamoff{0}, std::streamoff{1000}, std::streamoff{30000},
                                          std::streamoff{56000}, fullSize - 1, fullSize}) {
        std::istringstream in(asText(input), std::ios::binary);
        std::ostringstream console;
        ScenarioConverter converter(console);
        ASSERT_EQ(converter.probeScenario(in, nullptr), ScenarioRefusal::None);
        FillingBuffer disk(capacity);
        std::ostream out(&disk);
        converter.convertScenarioFile(in, out);
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
}
