#include "fileio/MessageText.h"

#include "fileio/Utf8Text.h"

namespace Brim {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendHex(std::string& out, char32_t value, int digits)
{
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kHex[(value >> shift) & 0xF];
    }
}

}  // namespace

void AppendUnicodeEscape(std::string& out, char32_t point)
{
    out += "\\u";
    AppendHex(out, point, 4);
}

bool IsHiddenControl(char32_t point)
{
    return (point >= 0x80 && point <= 0x9F) || point == 0x061C || point == 0x200E ||
           point == 0x200F || (point >= 0x202A && point <= 0x202E) ||
           (point >= 0x2066 && point <= 0x2069);
}

std::string EscapeControlBytes(std::string_view text, LineBreaks lineBreaks)
{
    std::string escaped;
    escaped.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        const std::size_t length = byte < 0x80 ? 1 : Utf8SequenceLength(text, i);
        if (length > 1 && IsHiddenControl(Utf8CodePoint(text, i, length))) {
            AppendUnicodeEscape(escaped, Utf8CodePoint(text, i, length));
        } else if (length > 1) {
            escaped.append(text.substr(i, length));
        } else if ((byte >= 0x20 && byte != 0x7F) ||
                   (lineBreaks == LineBreaks::Keep && (c == '\n' || c == '\r' || c == '\t'))) {
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\t') {
            escaped += "\\t";
        } else {
            escaped += "\\x";
            AppendHex(escaped, byte, 2);
        }
        i += length == 0 ? 1 : length;
    }
    return escaped;
}

}  // namespace Brim
