#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <istream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <utility>

#include "base/FileCopy.h"
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
        StreamCopyFault outcome;
    };
    const Case cases[] = {
        {text.size(), false, 200000, StreamCopyFault::None},
        {text.size(), false, 0, StreamCopyFault::None},        // size unknown
        {150000, false, 200000, StreamCopyFault::ReadFailed},   // cut short while read
        {150000, true, 200000, StreamCopyFault::ReadFailed},    // an input error
        {150000, true, 0, StreamCopyFault::ReadFailed},
    };
    for (const Case& read : cases) {
        FailingBuffer buffer(text, read.delivered, read.error);
        std::istream in(&buffer);
        std::ostringstream out;
        EXPECT_EQ(copyStreamContents(in, read.expected, out), read.outcome) << read.delivered << " " << read.error;
        if (read.outcome == StreamCopyFault::None) {
            EXPECT_EQ(out.str(), text);
        }
    }
}

TEST(FileCopy, CopyOntoItselfOrFromNothingIsRefused) {
    TempFolder folder;
    std::ofstream(folder / "Events.txt") << "events";
    fs::create_directory(folder / "Converted");
    EXPECT_TRUE(copyFileContents(folder / "Events.txt", folder / "Converted" / "Events.txt").ok());
    const fs::path events = folder / "Events.txt";
    EXPECT_EQ(copyFileContents(events, events).problem(),
              "could not copy " + events.string() + " to " + events.string());
    const fs::path none = folder / "None.txt";
    EXPECT_EQ(copyFileContents(none, folder / "Converted" / "None.txt").problem(),
              "could not copy " + none.string() + " to " + (folder / "Converted" / "None.txt").string());
    EXPECT_FALSE(fs::exists(folder / "Converted" / "None.txt"));
    EXPECT_EQ(fs::file_size(folder / "Events.txt"), 6u);
}
