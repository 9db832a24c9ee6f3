#pragma once

#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

// The one place that builds HTML. Tags, attribute names and the page's own markup are string
// literals of the program; everything else (names, lines of a scenario's text, numbers) is
// text, escaped the moment it is written, so that nothing from a user's files can become
// markup: "&", "<", ">", '"' and "'" as references, bytes that are not UTF-8 as U+FFFD, and
// control characters as the symbols that picture them.

// A piece of the page's own markup (a tag, an attribute's name, the doctype): only a literal
// makes one.
class MarkupLiteral {
public:
    template <std::size_t N>
    constexpr MarkupLiteral(const char (&literal)[N]) : text_(literal) {}  // implicit, for literals alone
    const char* text() const { return text_; }

private:
    const char* text_;
};

struct HtmlAttribute {
    MarkupLiteral name;
    std::string_view value;  // text, escaped when written
};

class HtmlWriter {
public:
    explicit HtmlWriter(std::ostream& out) : out_(out) {}

    // The page's own markup as it stands: the doctype, the style sheet.
    void markup(MarkupLiteral literal);
    // A start tag; an element without content (img, meta) needs no close.
    void open(MarkupLiteral tag, std::initializer_list<HtmlAttribute> attributes = {});
    void close(MarkupLiteral tag);
    void text(std::string_view text);
    // A whole element holding `text`.
    void element(MarkupLiteral tag, std::string_view text, std::initializer_list<HtmlAttribute> attributes = {});

private:
    std::ostream& out_;
};

// The text as HTML text or an attribute value shows it, as described above.
std::string escapedHtml(std::string_view text);

// One segment of a URL's path: every byte but letters, digits and "-._~" as %XX, so that
// "%", "#", "?", ":" and bytes of any name stay part of the file's name.
std::string percentEncoded(std::string_view segment);
