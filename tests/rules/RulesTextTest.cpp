#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "kit/BitmapSample.h"
#include "kit/TempFolder.h"
#include "rules/RulesText.h"

namespace {

// The pieces that `bytes` read as, each after its line number and a colon, alike from a file
// and from memory; at the end a reader stays there, and rewound it starts again.
std::vector<std::string> readPieces(const std::string& bytes, std::size_t capacity) {
    TempFolder folder;
    writeFileText(folder / "r.txt", bytes);
    RulesTextInput fromFile(folder / "r.txt");
    RulesTextInput fromMemory(bytes, "r.txt");
    std::vector<std::string> pieces[2];
    for (int i = 0; i < 2; ++i) {
        RulesTextInput& input = i == 0 ? fromFile : fromMemory;
        std::string piece;
        while (input.readPiece(piece, capacity)) pieces[i].push_back(std::to_string(input.lineNumber()) + ":" + piece);
        EXPECT_FALSE(input.readPiece(piece, capacity));
        input.rewind();
        EXPECT_TRUE(input.readPiece(piece, capacity));
        EXPECT_EQ(std::to_string(input.lineNumber()) + ":" + piece, pieces[i].at(0));
    }
    EXPECT_EQ(pieces[1], pieces[0]);
    return pieces[0];
}

// What writing the next `count` pieces of `input` writes.
std::string writtenPieces(RulesTextInput& input, int count) {
    RulesTextOutput output = RulesTextOutput::inMemory("out.txt");
    std::string piece;
    for (int i = 0; i < count && input.readPiece(piece, 180); ++i) output.write(piece);
    return output.text();
}

}  // namespace

// Read as the Windows text mode does, from a file or from memory: a CR before LF dropped, a
// lone CR kept, 0x1A ends the text (also among the first 64 bytes, line feeds after it); a long
// line comes in pieces measured after its CR is dropped. Line numbers as an editor shows them:
// empty lines count, a lone CR does not end a line, every piece of a long line has its line's.
TEST(RulesTextInput, ReadsAsTheWindowsTextModeDoes) {
    const std::string x179(179, 'x');  // the buffer's length: its line feed is a piece of its own
    const struct {
        std::string bytes;
        std::size_t capacity;
        std::vector<std::string> pieces;
    } cases[] = {
        {"one\r\ntwo\rthree\r\r\nlast", 180, {"1:one\n", "2:two\rthree\r\n", "3:last"}},
        {std::string("kept\r\nalso\x1A" "dropped\r\n"), 180, {"1:kept\n", "2:also"}},
        {std::string("one\r\ntwo\r\nthree\r\nfour\r\ncut\x1A" "short\r\nmore\r\n"), 180,
         {"1:one\n", "2:two\n", "3:three\n", "4:four\n", "5:cut"}},
        {"abcde\r\nxyzuvw\r\n", 6, {"1:abcde", "1:\n", "2:xyzuv", "2:w\n"}},  // the line feed does not fit
        {"abcde\r\nxyzuvw\r\n", 7, {"1:abcde\n", "2:xyzuvw", "2:\n"}},
        {"one\r\n\r\ntwo\rthree\r\nabcdefgh\r\nlast", 6,
         {"1:one\n", "2:\n", "3:two\rt", "3:hree\n", "4:abcde", "4:fgh\n", "5:last"}},
        {x179 + "\nnext\n", 180, {"1:" + x179, "1:\n", "2:next\n"}},
        {x179 + "\r\nnext\r\n", 180, {"1:" + x179, "1:\n", "2:next\n"}},
    };
    for (const auto& c : cases) EXPECT_EQ(readPieces(c.bytes, c.capacity), c.pieces) << c.bytes;
}

TEST(RulesTextInput, MissingFileReadsNothing) {
    TempFolder folder;
    RulesTextInput input(folder / "none.txt");
    std::string piece;
    EXPECT_FALSE(input.isOpen() || input.readPiece(piece, 180));
}

TEST(RulesTextOutput, WritesEveryLineFeedAsCarriageReturnLineFeed) {
    TempFolder folder;
    RulesTextOutput toFile(folder / "out.txt");
    RulesTextOutput toMemory = RulesTextOutput::inMemory("out.txt");
    for (RulesTextOutput* output : {&toFile, &toMemory}) {
        output->write("a\nb\r\n");
        output->write("\nend");
        EXPECT_TRUE(output->close());
    }
    const auto bytes = readFileBytes(folder / "out.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a\r\nb\r\r\n\r\nend");
    EXPECT_EQ(toMemory.text(), "a\r\nb\r\r\n\r\nend");
}

// A text that ends before the end its file had when it was opened could not be read in
// full; one that ends at its end, or at its end-of-text byte, could.
TEST(RulesTextInput, TextCutShortWhileItIsReadIsAFailedRead) {
    std::string text;
    for (int line = 0; line < 4000; ++line) text += "line " + std::to_string(line) + "\r\n";
    const struct {
        std::string bytes;
        bool cutAfterFirstLine;  // and so failed
    } cases[] = {{text, false}, {"short\r\ntext\x1A" "after the end", false}, {text, true}};
    for (const auto& read : cases) {
        TempFolder folder;
        writeFileText(folder / "Rules.txt", read.bytes);
        RulesTextInput input(folder / "Rules.txt");
        std::string piece;
        ASSERT_TRUE(input.readPiece(piece, 180));
        std::error_code error;
        if (read.cutAfterFirstLine) std::filesystem::resize_file(folder / "Rules.txt", 20, error);  // past the stream's
        if (error) GTEST_SKIP() << "an open file cannot be cut short here: " << error.message();
        while (input.readPiece(piece, 180)) {}
        EXPECT_EQ(input.readFailed(), read.cutAfterFirstLine) << read.bytes.size();
        input.rewind();
        EXPECT_FALSE(input.readFailed());
    }
}

// A range copied whole writes what its pieces would, across the reader's windows, whatever
// ends its lines; the reader then reads on from the range's end.
TEST(RulesTextInput, CopiesARangeAsReadingAndWritingItsPiecesWould) {
    // A carriage return at the end of the reader's first window, its line feed after it.
    std::string text = std::string(16 * 1024 - 1, 'x') + "\r\n";
    for (int line = 0; line < 3000; ++line) {
        text += "line " + std::to_string(line) + (line % 7 == 0 ? "\nlone feed\n" : "\r\n");
        if (line % 5 == 0) text += "cr\rinside\r\r\n";
    }
    TempFolder folder;
    writeFileText(folder / "r.txt", text);
    for (const int piecesInRange : {2000, 100000}) {
        RulesTextInput byPiece(folder / "r.txt");
        RulesTextInput whole(folder / "r.txt");
        writtenPieces(byPiece, 1);
        writtenPieces(whole, 1);
        const std::string expected = writtenPieces(byPiece, piecesInRange);
        RulesTextOutput wholeOutput = RulesTextOutput::inMemory("w.txt");
        EXPECT_TRUE(whole.copyTo(byPiece.position(), wholeOutput));
        EXPECT_EQ(wholeOutput.text(), expected);
        std::string next, piece;
        EXPECT_EQ(whole.readPiece(next, 180), byPiece.readPiece(piece, 180));
        EXPECT_EQ(next, piece);
        EXPECT_EQ(whole.lineNumber(), byPiece.lineNumber());
    }
}

// Pieces looked at in place are the pieces read: at every length around the buffer's, at
// the window's end, with whatever ends their lines, up to an end-of-text byte. A file's
// lines of blanks whose rest runs past the reader's window are told by reading on.
TEST(RulesTextInput, SkimsThePiecesItReads) {
    constexpr std::size_t kWindow = 16 * 1024;
    std::string text;
    for (const char* end : {"z\r\n", "\r\n", "\n"}) {  // lines of blanks whose rest lies in the next window
        text += std::string(kWindow - 300 - text.size() % kWindow, 'w') + "\r\n" + std::string(600, ' ') + end;
    }
    text += std::string(kWindow - 3 - text.size() % kWindow, 'w') + "\r\n";
    for (std::size_t length = 170; length < 185; ++length) {
        text += std::string(length, 'x') + (length % 2 == 0 ? "\r\n" : "\n") + "  \t\r\n\r\ncr\rinside\r\r\n";
    }
    std::vector<std::string> texts{text + "last\x1A" "after the end\n", "one\r\ntwo\r\ncut\x1A" "short\r\n" + text};
    // Reading on moves the reader's windows: each such line of blanks and tabs in a text of its own.
    for (const char* end : {"z\r\n", "\r\n", "\n", "\t\n"}) {
        std::string blanks(600, ' ');
        for (std::size_t i = 5; i < blanks.size(); i += 7) blanks[i] = '\t';
        texts.push_back(std::string(kWindow - 300, 'w') + "\r\n" + blanks + end + "next\r\n");
    }
    for (const std::string& bytes : texts) {
        TempFolder folder;
        writeFileText(folder / "r.txt", bytes);
        RulesTextInput reader(folder / "r.txt");
        RulesTextInput skimmer(bytes, "r.txt");
        for (const std::size_t capacity : {std::size_t{180}, std::size_t{160}}) {
            std::string piece;
            RulesPieceView view;
            for (bool more = true; more;) {
                more = reader.readPiece(piece, capacity);
                ASSERT_EQ(skimmer.skimPiece(view, capacity), more);
                EXPECT_EQ(std::string(view.body) + (view.endsLine ? "\n" : ""), piece);
                EXPECT_EQ(view.inBlankLine, reader.pieceInBlankLine());
                EXPECT_EQ(skimmer.lineNumber(), reader.lineNumber());
                EXPECT_EQ(skimmer.position().byte, reader.position().byte);
            }
            reader.rewind();
            skimmer.rewind();
        }
    }
}

// Lines passed in bulk count as the pieces read one by one would: the count up to each
// section header, and where the last counted line ends.
TEST(RulesTextInput, PassesPlainLinesAsTheyWouldBeCountedOneByOne) {
    std::string text;
    const char* const kinds[] = {"plain", "; note", ": remark", "", "  \t", "  indented", "@HEAD", "\tx"};
    for (int line = 0; line < 3000; ++line) {
        const char filler = line % 8 == 4 ? ' ' : 'y';  // lines of blanks, some longer than the buffer
        text += std::string(kinds[line % 8]) + (line % 5 == 0 ? std::string(line % 300, filler) : "") +
                (line % 13 == 0 ? "\n" : "\r\n");
    }
    for (std::size_t length = 176; length < 183; ++length) {
        text += std::string(length, 'z') + (length % 2 == 0 ? "\r\n" : "\n") + "@AROUND THE BUFFER\n";
    }
    RulesTextInput reader(text, "r.txt");
    RulesTextInput skimmer(text, "r.txt");
    std::vector<std::int64_t> byPiece, inBulk;  // at each header: lines counted, where the last ends
    std::int64_t counted = 0;
    RulesTextPosition afterCounted, afterLast;
    auto note = [&counted](std::vector<std::int64_t>& notes, const RulesTextPosition& after) {
        notes.insert(notes.end(), {counted, static_cast<std::int64_t>(after.byte), after.lineFeeds});
    };
    for (std::string piece; reader.readPiece(piece, 180);) {
        if (isSectionHeader(piece)) note(byPiece, afterCounted);
        if (!isCountedLine(piece, reader.pieceInBlankLine())) continue;
        ++counted;
        afterCounted = reader.position();
    }
    counted = 0;
    for (RulesPieceView view;;) {
        counted += skimmer.skimPlainLines(180, afterLast);
        if (!skimmer.skimPiece(view, 180)) break;
        if (isSectionHeader(view.body)) note(inBulk, afterLast);
        if (!isCountedLine(view)) continue;
        ++counted;
        afterLast = skimmer.position();
    }
    EXPECT_EQ(inBulk, byPiece);
    EXPECT_EQ(afterLast.byte, afterCounted.byte);
    EXPECT_EQ(skimmer.lineNumber(), reader.lineNumber());
    EXPECT_GT(byPiece.size(), 1000u);
}

// The bits of the line feeds, and the end-of-text byte among them, are found alike by the
// processor's compares and by plain C++.
TEST(LineFeedBits, PlainCodeFindsWhatTheProcessorFinds) {
    std::string bytes(64 * 64, 'a');
    for (std::size_t i = 0; i < bytes.size(); i += 1 + i % 7) bytes[i] = i % 3 == 0 ? '\n' : '\r';
    for (std::size_t i = 130; i < bytes.size(); i += 190) bytes[i] = 0x1A;
    bytes[64 * 5] = static_cast<char>(0x8A);  // a high byte beside a line feed's low bits
    for (std::size_t at = 0; at + 64 <= bytes.size(); at += 64) {
        const LineFeedMarks portable = lineFeedBitsPortable(bytes.data() + at);
        const LineFeedMarks marks = lineFeedBits(bytes.data() + at);
        EXPECT_EQ(portable.lineFeeds, marks.lineFeeds) << at;
        EXPECT_EQ(marks.endOfTextAmong, bytes.find('\x1A', at) < at + 64) << at;
        EXPECT_EQ(portable.endOfTextAmong, marks.endOfTextAmong) << at;
        EXPECT_EQ(lowestBit(marks.lineFeeds), static_cast<int>(bytes.find('\n', at) - at));
    }
}

// A range read before, or skimmed as the section index skims, is written as reading and
// writing its pieces would, whether its lines end with CR LF or some with a line feed alone
// (on a short line, and after a line longer than the buffer).
TEST(RulesTextInput, CopiesARangeReadBeforeAsItsPiecesWouldBeWritten) {
    const std::string lines = "one\r\n\r\n  two\r\n;three\r\n";
    for (const std::string& text : {lines, lines + "lone\n" + lines, lines + std::string(200, 'y') + "\n" + lines}) {
        RulesTextInput input(text, "r.txt");
        const std::string expected = writtenPieces(input, 1000);
        const RulesTextPosition end = input.position();
        RulesTextInput skimmed(text, "r.txt");
        RulesTextPosition counted;
        RulesPieceView view;
        do {
            skimmed.skimPlainLines(180, counted);
        } while (skimmed.skimPiece(view, 180));
        for (RulesTextInput* read : {&input, &skimmed}) {
            read->rewind();
            RulesTextOutput copyOutput = RulesTextOutput::inMemory("c.txt");
            EXPECT_TRUE(read->copyTo(end, copyOutput));
            EXPECT_EQ(copyOutput.text(), expected);
        }
    }
}
