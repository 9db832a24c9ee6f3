#include "report/HtmlWriter.h"

#include <cstdint>
#include <ostream>

namespace {

void appendCodePoint(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kNotDecoded = 0xFFFFFFFF;

// The code point of the UTF-8 sequence at text[at] and its length; kNotDecoded for a byte
// that begins no well-formed sequence (a stray continuation byte, a sequence cut short, an
// overlong form, a surrogate, beyond U+10FFFF).
std::uint32_t decodeAt(std::string_view text, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(at);
    length = 1;
    if (lead < 0x80) return lead;
    // The bytes that follow the lead, the lead's bits, and the smallest code point of the length.
    struct Form {
        std::uint8_t mask, bits;
        std::size_t following;
        std::uint32_t smallest;
    };
    static constexpr Form kForms[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
    for (const Form& form : kForms) {
        if ((lead & form.mask) != form.bits) continue;
        if (at + form.following >= text.size()) return kNotDecoded;
        std::uint32_t c = lead & static_cast<std::uint8_t>(~form.mask);
        for (std::size_t i = 1; i <= form.following; ++i) {
            if ((byte(at + i) & 0xC0) != 0x80) return kNotDecoded;
            c = (c << 6) | (byte(at + i) & 0x3Fu);
        }
        if (c < form.smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kNotDecoded;
        length = form.following + 1;
        return c;
    }
    return kNotDecoded;
}

}  // namespace

std::string escapedHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const std::uint32_t c = decodeAt(text, at, length);
        at += length;
        switch (c) {
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            case '"': out += "&quot;"; continue;
            case '\'': out += "&#39;"; continue;
            case '\t': out += '\t'; continue;
            default: break;
        }
        if (c == kNotDecoded || (c >= 0x80 && c < 0xA0)) {
            appendCodePoint(out, kReplacement);
        } else if (c < 0x20) {
            appendCodePoint(out, 0x2400 + c);  // the control pictures: U+2400 NUL to U+241F US
        } else if (c == 0x7F) {
            appendCodePoint(out, 0x2421);  // DELETE
        } else {
            appendCodePoint(out, c);
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
