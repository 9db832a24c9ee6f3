#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Windows names its files in UTF-16 and this program carries names as UTF-8 bytes. A
// Windows file name may hold a surrogate that has no partner; such a unit is written as
// the three bytes it would take if it were a character (the "WTF-8" form), so that every
// name survives the trip from UTF-16 to bytes and back unchanged.
std::string utf8FromUtf16(const std::u16string& text);

// The way back. A byte that starts no well-formed sequence becomes U+FFFD.
std::u16string utf16FromUtf8(const std::string& text);

// One character of UTF-8 text: the sequence that starts at `text[i]`, its code (a lone
// surrogate included) and its length; length 0 when no well-formed sequence starts there
// (overlong, beyond U+10FFFF, cut short).
struct Utf8Character {
    char32_t code;
    std::size_t length;
};
Utf8Character utf8CharacterAt(std::string_view text, std::size_t i);
void appendUtf8(std::string& out, char32_t code);

// The length of `text` without the first bytes of a character that it ends in the
// middle of: what can be converted now when the rest is still to come.
std::size_t completeUtf8Length(const std::string& text);
