#include <gtest/gtest.h>

#include <string>

#include "base/Utf16Text.h"

namespace {

struct NameCase {
    const char* label;
    std::u16string utf16;
    std::string utf8;
};

// Names in both forms; the last ones hold surrogates without a partner, which a Windows
// file name may hold and which must come back as they were.
const NameCase kNames[] = {
    {"ASCII", u"Rome.scn", "Rome.scn"},
    {"accented Latin", u"J\u00fcrgen \u00c9t\u00e9", "J\xc3\xbcrgen \xc3\x89t\xc3\xa9"},
    {"Cyrillic", u"\u0421\u0446\u0435\u043d\u0430\u0440\u0438\u0438",
     "\xd0\xa1\xd1\x86\xd0\xb5\xd0\xbd\xd0\xb0\xd1\x80\xd0\xb8\xd0\xb8"},
    {"CJK", u"\u6226\u7565", "\xe6\x88\xa6\xe7\x95\xa5"},
    {"outside the BMP", u"\U0001F3F0.txt", "\xf0\x9f\x8f\xb0.txt"},
    {"lone high surrogate", std::u16string{u'a', char16_t(0xD83C), u'b'}, "a\xed\xa0\xbc" "b"},
    {"lone low surrogate at the end", std::u16string{u'a', char16_t(0xDFF0)}, "a\xed\xbf\xb0"},
    {"low before high", std::u16string{char16_t(0xDC00), char16_t(0xD800)}, "\xed\xb0\x80\xed\xa0\x80"},
};

}  // namespace

TEST(Utf16Text, NamesSurviveTheRoundTrip) {
    for (const NameCase& name : kNames) {
        EXPECT_EQ(utf8FromUtf16(name.utf16), name.utf8) << name.label;
        EXPECT_EQ(utf16FromUtf8(name.utf8), name.utf16) << name.label;
    }
}

TEST(Utf16Text, MalformedBytesBecomeReplacementCharacters) {
    const struct {
        const char* label;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"continuation byte alone", "a\x80" "b", u"a\uFFFD" "b"},
        {"overlong slash", "\xc0\xaf", u"\uFFFD\uFFFD"},
        {"cut short at the end", "a\xe6\x88", u"a\uFFFD\uFFFD"},
        {"lead byte F8, before what would end a four-byte character", "\xf8\x9f\x8f\xb0", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"Latin-1 byte", "J\xfcrgen", u"J\uFFFDrgen"},
    };
    for (const auto& bad : cases) EXPECT_EQ(utf16FromUtf8(bad.utf8), bad.utf16) << bad.label;
}

// What a console writer may pass on now: never the first bytes of a character whose
// last bytes are still to come.
TEST(Utf16Text, CompleteLengthHoldsBackACharacterCutInTwo) {
    const std::string castle = "\xf0\x9f\x8f\xb0";  // four bytes
    const std::string cyrillic = "\xd0\xa1";          // two bytes
    EXPECT_EQ(completeUtf8Length(""), 0u);
    EXPECT_EQ(completeUtf8Length("Done!\n"), 6u);
    EXPECT_EQ(completeUtf8Length("a" + cyrillic), 3u);
    EXPECT_EQ(completeUtf8Length("a" + cyrillic.substr(0, 1)), 1u);
    for (std::size_t cut = 1; cut < castle.size(); ++cut) {
        EXPECT_EQ(completeUtf8Length("ab" + castle.substr(0, cut)), 2u) << cut;
    }
    EXPECT_EQ(completeUtf8Length("ab" + castle), 6u);
    EXPECT_EQ(completeUtf8Length("a\x80\x80"), 3u);  // stray continuation bytes: nothing to wait for
}
