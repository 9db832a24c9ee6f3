// The scenario file step meets a scenario whose reading fails part-way: the step says
// so, and the conversion of an earlier run stays in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "base/ReplacingOutput.h"
#include "driver/ScenarioConverter.h"
#include "driver/ScenarioFileStep.h"
#include "kit/BitmapSample.h"
#include "kit/ScenarioSample.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a file of which only the first `readable` can be read: past them the file
// ends (it was cut short), or the read fails with an error. Positions can be set, as in
// a file.
class FailingFile : public std::streambuf {
public:
    FailingFile(const Bytes& bytes, std::size_t readable, bool error)
        : bytes_(bytes.begin(), bytes.end()), readable_(std::min(readable, bytes.size())), error_(error) {
        setg(bytes_.data(), bytes_.data(), bytes_.data());
    }

protected:
    int_type underflow() override {
        const std::size_t at = static_cast<std::size_t>(gptr() - eback());
        if (at >= readable_) {
            if (error_) throw std::runtime_error("input error");
            return traits_type::eof();
        }
        setg(bytes_.data(), bytes_.data() + at, bytes_.data() + std::min(readable_, at + 4096));
        return traits_type::to_int_type(*gptr());
    }
    pos_type seekoff(off_type offset, std::ios_base::seekdir way, std::ios_base::openmode) override {
        const off_type base = way == std::ios_base::beg   ? 0
                              : way == std::ios_base::cur ? gptr() - eback()
                                                          : static_cast<off_type>(bytes_.size());
        return seekpos(base + offset, std::ios_base::in);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode) override {
        const off_type at = position;
        if (at < 0 || at > static_cast<off_type>(bytes_.size())) return pos_type(off_type(-1));
        // Nothing is held after a move: the next read asks underflow, which knows the limit.
        setg(bytes_.data(), bytes_.data() + at, bytes_.data() + at);
        return position;
    }

private:
    std::vector<char> bytes_;
    std::size_t readable_;
    bool error_;
};

}  // namespace

TEST(ScenarioFileStep, ScenarioWhoseReadingFailsGivesNoOutput) {
    const Bytes input = makeScenarioFile(ScenarioSampleOptions{});  // 47189 bytes
    const std::size_t whole = input.size();
    struct Case {
        std::size_t readable;
        bool error;
    };
    // In the header, in the map data, in the tail, in the city records, the last byte.
    const Case cases[] = {
        {whole, false}, {1000, false}, {20000, true}, {40800, false}, {45000, true}, {whole - 1, false},
    };
    for (const Case& read : cases) {
        SCOPED_TRACE(std::to_string(read.readable) + (read.error ? " then an error" : " then the end"));
        TempFolder folder;
        const fs::path path = folder / "Rome.scn";
        const fs::path outputPath = folder / "Rome.out";
        writeFileBytes(path, input);  // the file that the system is asked about, which kept no error
        const Bytes earlier{'e', 'a', 'r', 'l', 'i', 'e', 'r'};
        writeFileBytes(outputPath, earlier);

        std::ostringstream console;
        ScenarioConverter converter(console);
        std::istringstream whole(std::string(input.begin(), input.end()));
        ASSERT_EQ(converter.probeScenario(whole, nullptr), ScenarioRefusal::None);
        FailingFile file(input, read.readable, read.error);
        std::istream scenario(&file);
        ReplacingOutput output(outputPath);
        convertScenarioStep(converter, scenario, path, output);

        const bool complete = read.readable == input.size();
        EXPECT_EQ(console.str(), "Converting SCN file...\n" +
                                     (complete ? std::string("Done!\n")
                                               : "Error: could not read " + path.string() + " (Input/output error)!\n"));
        EXPECT_EQ(converter.problemReported(), !complete);
        EXPECT_EQ(readFileBytes(outputPath).size(), complete ? 74451u : earlier.size());
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
            << "no temporary file is left behind";
    }
}
