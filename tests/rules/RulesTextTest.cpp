#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

#include "kit/BitmapSample.h"
#include "kit/TempFolder.h"
#include "rules/LineFeedBits.h"
#include "rules/RulesLine.h"
#include "rules/RulesText.h"

namespace {

std::vector<std::string> readPieces(const std::filesystem::path& path, std::size_t capacity) {
    RulesTextInput input(path);
    std::vector<std::string> pieces;
    std::string piece;
    while (input.readPiece(piece, capacity)) pieces.push_back(piece);
    return pieces;
}


}  // namespace

TEST(RulesTextInput, ReadsAsTheWindowsTextModeDoes) {
    TempFolder folder;
    writeFileText(folder / "r.txt", "one\r\ntwo\rthree\r\r\nlast");
    EXPECT_EQ(readPieces(folder / "r.txt", 180),
              (std::vector<std::string>{"one\n", "two\rthree\r\n", "last"}));
}

TEST(RulesTextInput, EndOfTextByteEndsTheText) {
    TempFolder folder;
    writeFileText(folder / "r.txt", std::string("kept\r\nalso\x1A" "dropped\r\n"));
    EXPECT_EQ(readPieces(folder / "r.txt", 180), (std::vector<std::string>{"kept\n", "also"}));
}

TEST(RulesTextInput, LongLinesComeInPiecesMeasuredAfterTheCarriageReturnIsDropped) {
    TempFolder folder;
    // 5 characters and CR LF: with a buffer of 6 the line feed does not fit in the first piece.
    writeFileText(folder / "r.txt", "abcde\r\nxyzuvw\r\n");
    EXPECT_EQ(readPieces(folder / "r.txt", 6),
              (std::vector<std::string>{"abcde", "\n", "xyzuv", "w\n"}));
    EXPECT_EQ(readPieces(folder / "r.txt", 7), (std::vector<std::string>{"abcde\n", "xyzuvw", "\n"}));
}

TEST(RulesTextInput, RewindStartsAgainAfterTheEnd) {
    TempFolder folder;
    writeFileText(folder / "r.txt", "a\r\nb\r\n");
    RulesTextInput input(folder / "r.txt");
    std::string piece;
    while (input.readPiece(piece, 180)) {}
    EXPECT_FALSE(input.readPiece(piece, 180));  // at the end, and staying there
    input.rewind();
    ASSERT_TRUE(input.readPiece(piece, 180));
    EXPECT_EQ(piece, "a\n");
}

// Line numbers as an editor shows them: empty lines count, a lone carriage return does not
// end a line, and every piece of a long line has its line's number.
TEST(RulesTextInput, PiecesCarryTheNumberOfTheirLine) {
    TempFolder folder;
    writeFileText(folder / "r.txt", "one\r\n\r\ntwo\rthree\r\nabcdefgh\r\nlast");
    RulesTextInput input(folder / "r.txt");
    std::vector<std::int64_t> numbers;
    std::string piece;
    while (input.readPiece(piece, 6)) numbers.push_back(input.lineNumber());
    // "one\n", "\n", "two\rt", "hree\n", "abcde", "fgh\n", "last"
    EXPECT_EQ(numbers, (std::vector<std::int64_t>{1, 2, 3, 3, 4, 4, 5}));
    input.rewind();
    ASSERT_TRUE(input.readPiece(piece, 6));
    EXPECT_EQ(input.lineNumber(), 1);
}

TEST(RulesTextInput, MissingFileReadsNothing) {
    TempFolder folder;
    RulesTextInput input(folder / "none.txt");
    std::string piece;
    EXPECT_FALSE(input.isOpen());
    EXPECT_FALSE(input.readPiece(piece, 180));
}

TEST(RulesTextOutput, WritesEveryLineFeedAsCarriageReturnLineFeed) {
    TempFolder folder;
    RulesTextOutput output(folder / "out.txt");
    output.write("a\nb\r\n");
    output.write("\nend");
    EXPECT_TRUE(output.close());
    const auto bytes = readFileBytes(folder / "out.txt");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "a\r\nb\r\r\n\r\nend");
}

// A text that ends before the end its file had when it was opened could not be read in
// full; one that ends at its end, or at its end-of-text byte, could.
TEST(RulesTextInput, TextCutShortWhileItIsReadIsAFailedRead) {
    std::string text;
    for (int line = 0; line < 4000; ++line) text += "line " + std::to_string(line) + "\r\n";
    struct Case {
        std::string bytes;
        bool cutAfterFirstLine;
        bool failed;
    };
    const Case cases[] = {
        {text, false, false},
        {"short\r\ntext\x1A" "after the end", false, false},
        {text, true, true},
    };
    for (const Case& read : cases) {
        TempFolder folder;
        writeFileText(folder / "Rules.txt", read.bytes);
        RulesTextInput input(folder / "Rules.txt");
        std::string piece;
        ASSERT_TRUE(input.readPiece(piece, 180));
        if (read.cutAfterFirstLine) {
            std::error_code error;
            std::filesystem::resize_file(folder / "Rules.txt", 20, error);  // past what the stream holds
            if (error) GTEST_SKIP() << "an open file cannot be cut short here: " << error.message();
        }
        while (input.readPiece(piece, 180)) {
        }
        EXPECT_FALSE(input.readPiece(piece, 180));
        EXPECT_EQ(input.readFailed(), read.failed) << read.bytes.size();
        input.rewind();
        EXPECT_FALSE(input.readFailed());
    }
}

// A text in memory reads and writes as its file does: pieces, the end byte, rewinding.
TEST(RulesTextInMemory, ReadsAndWritesAsItsFileDoes) {
    TempFolder folder;
    const std::string text = "one\r\ntwo\rthree\r\r\nand a longer line\n\x1A" "after the end\n";
    writeFileText(folder / "r.txt", text);
    RulesTextInput fromFile(folder / "r.txt");
    RulesTextInput fromMemory(text, "r.txt");
    EXPECT_TRUE(fromMemory.isOpen());
    for (int round = 0; round < 2; ++round) {
        std::string filePiece, memoryPiece;
        bool more = true;
        while (more) {
            more = fromFile.readPiece(filePiece, 8);
            EXPECT_EQ(fromMemory.readPiece(memoryPiece, 8), more);
            EXPECT_EQ(memoryPiece, filePiece);
        }
        EXPECT_FALSE(fromMemory.readPiece(memoryPiece, 8));
        fromFile.rewind();
        fromMemory.rewind();
    }

    RulesTextOutput toMemory = RulesTextOutput::inMemory("out.txt");
    toMemory.write("a\nb\r\n");
    toMemory.write("\nend");
    EXPECT_TRUE(toMemory.close());
    EXPECT_EQ(toMemory.text(), "a\r\nb\r\r\n\r\nend");
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
        RulesTextOutput pieceOutput = RulesTextOutput::inMemory("p.txt");
        RulesTextOutput wholeOutput = RulesTextOutput::inMemory("w.txt");
        std::string piece;
        ASSERT_TRUE(byPiece.readPiece(piece, 180));
        ASSERT_TRUE(whole.readPiece(piece, 180));
        for (int i = 0; i < piecesInRange && byPiece.readPiece(piece, 180); ++i) pieceOutput.write(piece);
        EXPECT_TRUE(whole.copyTo(byPiece.position(), wholeOutput));
        EXPECT_EQ(wholeOutput.text(), pieceOutput.text());
        std::string next;
        EXPECT_EQ(whole.readPiece(next, 180), byPiece.readPiece(piece, 180));
        EXPECT_EQ(next, piece);
        EXPECT_EQ(whole.lineNumber(), byPiece.lineNumber());
    }
}

// Pieces looked at in place are the pieces read: at every length around the buffer's, at
// the window's end, with whatever ends their lines, up to an end-of-text byte.
TEST(RulesTextInput, SkimsThePiecesItReads) {
    std::string text = std::string(16 * 1024 - 3, 'w') + "\r\n";
    for (std::size_t length = 170; length < 185; ++length) {
        text += std::string(length, 'x') + (length % 2 == 0 ? "\r\n" : "\n") + "  \t\r\n\r\ncr\rinside\r\r\n";
    }
    const std::string lines = "one\r\ntwo\r\nthree\r\nfour\r\n";
    for (const std::string& bytes : {text + "last\x1A" "after the end\n", lines + "cut\x1A" "short\r\n" + text}) {
        RulesTextInput reader(bytes, "r.txt");
        RulesTextInput skimmer(bytes, "r.txt");
        for (const std::size_t capacity : {std::size_t{180}, std::size_t{160}}) {
            std::string piece;
            RulesPieceView view;
            bool more = true;
            while (more) {
                more = reader.readPiece(piece, capacity);
                ASSERT_EQ(skimmer.skimPiece(view, capacity), more);
                EXPECT_EQ(std::string(view.body) + (view.endsLine ? "\n" : ""), piece);
                EXPECT_EQ(view.wholeLine, reader.pieceIsWholeLine());
                EXPECT_EQ(skimmer.lineNumber(), reader.lineNumber());
                EXPECT_EQ(skimmer.position().byte, reader.position().byte);
            }
            reader.rewind();
            skimmer.rewind();
        }
    }
    // The end-of-text byte among the first 64 bytes, line feeds after it.
    RulesTextInput cut(lines + "cut\x1A" "short\r\n" + text, "r.txt");
    std::vector<std::string> pieces;
    for (std::string piece; cut.readPiece(piece, 180);) pieces.push_back(piece);
    EXPECT_EQ(pieces, (std::vector<std::string>{"one\n", "two\n", "three\n", "four\n", "cut"}));
}

// Lines passed in bulk count as the pieces read one by one would: the count up to each
// section header, and where the last counted line ends.
TEST(RulesTextInput, PassesPlainLinesAsTheyWouldBeCountedOneByOne) {
    std::string text;
    for (int line = 0; line < 3000; ++line) {
        const char* const kinds[] = {"plain", "; note", ": remark", "", "  \t", "  indented", "@HEAD", "\tx"};
        text += std::string(kinds[line % 8]) + (line % 5 == 0 ? std::string(line % 300, 'y') : "") +
                (line % 13 == 0 ? "\n" : "\r\n");
    }
    for (std::size_t length = 176; length < 183; ++length) {
        text += std::string(length, 'z') + (length % 2 == 0 ? "\r\n" : "\n") + "@AROUND THE BUFFER\n";
    }
    RulesTextInput reader(text, "r.txt");
    RulesTextInput skimmer(text, "r.txt");
    std::vector<std::int64_t> byPiece, inBulk;  // at each header: lines counted, where the last ends
    std::int64_t counted = 0;
    RulesTextPosition afterCounted;
    auto note = [&counted](std::vector<std::int64_t>& notes, const RulesTextPosition& after) {
        notes.insert(notes.end(), {counted, static_cast<std::int64_t>(after.byte), after.lineFeeds});
    };
    std::string piece;
    while (reader.readPiece(piece, 180)) {
        if (isSectionHeader(piece)) note(byPiece, afterCounted);
        if (!isCountedLine(piece, reader.pieceIsWholeLine())) continue;
        ++counted;
        afterCounted = reader.position();
    }
    counted = 0;
    RulesTextPosition afterLast;
    RulesPieceView view;
    for (;;) {
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
        EXPECT_EQ(portable.endOfTextAmong, marks.endOfTextAmong) << at;
        EXPECT_EQ(marks.endOfTextAmong, bytes.find('\x1A', at) < at + 64) << at;
        EXPECT_EQ(lowestBit(marks.lineFeeds), static_cast<int>(bytes.find('\n', at) - at));
    }
}

// A range read before is written as reading and writing its pieces would, whether its
// lines end with carriage returns and line feeds or some with a line feed alone (on a short
// line, and after a line longer than the buffer).
TEST(RulesTextInput, CopiesARangeReadBeforeAsItsPiecesWouldBeWritten) {
    const std::string lines = "one\r\n\r\n  two\r\n;three\r\n";
    for (const std::string& text : {lines, lines + "lone\n" + lines, lines + std::string(200, 'y') + "\n" + lines}) {
        RulesTextInput input(text, "r.txt");
        RulesTextOutput pieceOutput = RulesTextOutput::inMemory("p.txt");
        std::string piece;
        while (input.readPiece(piece, 180)) pieceOutput.write(piece);
        const RulesTextPosition end = input.position();
        RulesTextInput skimmed(text, "r.txt");  // read as the section index reads
        RulesTextPosition counted;
        RulesPieceView view;
        do {
            skimmed.skimPlainLines(180, counted);
        } while (skimmed.skimPiece(view, 180));
        for (RulesTextInput* read : {&input, &skimmed}) {
            read->rewind();
            RulesTextOutput copyOutput = RulesTextOutput::inMemory("c.txt");
            EXPECT_TRUE(read->copyTo(end, copyOutput));
            EXPECT_EQ(copyOutput.text(), pieceOutput.text());
        }
    }
}
