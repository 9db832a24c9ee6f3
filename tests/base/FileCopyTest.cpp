#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>

#include "base/FileCopy.h"
#include "kit/Files.h"
#include "kit/TempFolder.h"

namespace fs = std::filesystem;

namespace {

// Delivers `delivered` bytes of `text`, then ends (a file cut short) or fails with an
// error (an input error), as a file being read can.
class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(std::string text, std::size_t delivered, bool error)
        : text_(std::move(text)), delivered_(delivered), error_(error) {}

protected:
    int_type underflow() override {
        if (position_ >= delivered_) {
            if (error_) throw std::runtime_error("input error");
            return traits_type::eof();
        }
        const std::size_t piece = std::min<std::size_t>(1000, delivered_ - position_);
        setg(&text_[position_], &text_[position_], &text_[position_] + piece);
        position_ += piece;
        return traits_type::to_int_type(text_[position_ - piece]);
    }

private:
    std::string text_;
    std::size_t delivered_;
    bool error_;
    std::size_t position_ = 0;
};

}  // namespace

TEST(FileCopy, ReadThatFailsPartWayIsToldFromTheEnd) {
    const std::string text(200000, 'x');
    struct Case {
        std::size_t delivered;
        bool error;
        std::int64_t expected;  // the size the file had when it was opened
        bool copied;
    };
    const Case cases[] = {
        {text.size(), false, 200000, true},
        {text.size(), false, 0, true},        // size unknown
        {150000, false, 200000, false},       // cut short while read
        {150000, true, 200000, false},        // an input error
        {150000, true, 0, false},
    };
    TempFolder folder;
    const fs::path from = folder / "Events.txt";
    const fs::path to = folder / "Converted.txt";
    std::ofstream(from) << text;  // whole on the disk: the system, asked, finds nothing wrong with it
    for (const Case& read : cases) {
        SCOPED_TRACE(std::to_string(read.delivered) + " " + std::to_string(read.error));
        std::ofstream(to) << "earlier";
        FailingBuffer buffer(text, read.delivered, read.error);
        std::istream in(&buffer);
        const Outcome copy = copyFileContents(in, read.expected, from, to);
        if (read.copied) {
            EXPECT_TRUE(copy.ok()) << copy.problem();
            EXPECT_TRUE(readFileText(to) == text) << "the copy is whole";
        } else {
            EXPECT_EQ(copy.problem(), "could not read " + from.string() + " (Input/output error)");
            EXPECT_TRUE(readFileText(to) == "earlier") << "the earlier file is kept";
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

// Each refused copy names the file that failed it, with the system's reason.
TEST(FileCopy, CopyOntoItselfOrFromNothingIsRefused) {
    TempFolder folder;
    std::ofstream(folder / "Events.txt") << "events";
    fs::create_directories(folder / "Converted" / "Taken.txt");
    EXPECT_TRUE(copyFileContents(folder / "Events.txt", folder / "Converted" / "Events.txt").ok());
    const std::string events = (folder / "Events.txt").string();
    const std::string none = (folder / "None.txt").string();
    const std::string taken = (folder / "Converted" / "Taken.txt").string();
    const std::string converted = (folder / "Converted").string();
    const std::string copied = (folder / "Converted" / "None.txt").string();
    const struct {
        std::string from, to, problem;
    } cases[] = {
        {events, events, "could not copy " + events + " to " + events + " (File exists)"},
        {none, copied, "could not copy " + none + " (No such file or directory) to " + copied},
        {events, taken, "could not copy " + events + " to " + taken + " (Is a directory)"},
#ifndef _WIN32  // a folder opens for reading there, and its first read fails
        {converted, copied, "could not read " + converted + " (Is a directory)"},
#endif
    };
    for (const auto& refused : cases) {
        EXPECT_EQ(copyFileContents(refused.from, refused.to).problem(), refused.problem);
    }
    EXPECT_FALSE(fs::exists(copied));
    EXPECT_EQ(fs::file_size(folder / "Events.txt"), 6u);
    EXPECT_TRUE(fs::is_empty(folder / "Converted" / "Taken.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "Converted"), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}
