#include "report/HtmlWriter.h"

#include <ostream>

#include "base/Utf16Text.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

std::string escapedHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Utf8Character character = utf8CharacterAt(text, at);
        // A byte that begins no character, and a lone surrogate, which UTF-8 does not hold.
        const bool broken = character.length == 0 || (character.code >= 0xD800 && character.code <= 0xDFFF);
        at += character.length == 0 ? 1 : character.length;
        const char32_t c = broken ? kReplacement : character.code;
        switch (c) {
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            case '"': out += "&quot;"; continue;
            case '\'': out += "&#39;"; continue;
            case '\t': out += '\t'; continue;
            default: break;
        }
        if (c >= 0x80 && c < 0xA0) {
            appendUtf8(out, kReplacement);  // the C1 controls, which HTML does not show
        } else if (c < 0x20) {
            appendUtf8(out, 0x2400 + c);  // the control pictures: U+2400 NUL to U+241F US
        } else if (c == 0x7F) {
            appendUtf8(out, 0x2421);  // DELETE
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

std::string percentEncoded(std::string_view segment) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : segment) {
        const auto b = static_cast<unsigned char>(ch);
        const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                                b == '-' || b == '.' || b == '_' || b == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

void HtmlWriter::markup(MarkupLiteral literal) { out_ << literal.text(); }

void HtmlWriter::open(MarkupLiteral tag, std::initializer_list<HtmlAttribute> attributes) {
    out_ << '<' << tag.text();
    for (const HtmlAttribute& attribute : attributes) {
        out_ << ' ' << attribute.name.text() << "=\"" << escapedHtml(attribute.value) << '"';
    }
    out_ << '>';
}

void HtmlWriter::close(MarkupLiteral tag) { out_ << "</" << tag.text() << '>'; }

void HtmlWriter::text(std::string_view text) { out_ << escapedHtml(text); }

void HtmlWriter::element(MarkupLiteral tag, std::string_view text, std::initializer_list<HtmlAttribute> attributes) {
    open(tag, attributes);
    this->text(text);
    close(tag);
}
