#include "scan/JsonCsv.h"

#include <nlohmann/json.hpp>

namespace lintally::scan {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence that starts at bytes[i], or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// A JSON string literal of the text, made valid UTF-8 first.
std::string JsonText(std::string_view text)
{
    return nlohmann::json(ToValidUtf8(text)).dump();
}

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

std::string ToValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = ValidSequenceLength(bytes, i);
        if (length == 0) {
            out.append(kReplacement);
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

std::string FormatJson(std::string_view root, const std::vector<Row>& rows, std::uint64_t total,
                       const std::vector<SkippedFolder>& skipped)
{
    // Written row by row (the library only quotes the texts), so a large result costs its
    // output and no document tree beside it.
    std::string out = "{\"root\": " + JsonText(root) + ", \"total\": " + std::to_string(total) +
                      ", \"files\": [";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(rows[i].name));
        out.append(", \"lines\": ").append(std::to_string(rows[i].lines)).append("}");
    }
    out.append("]");
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        out.append(i == 0 ? ", \"skipped\": [{\"name\": " : ", {\"name\": ").append(JsonText(skipped[i].name));
        out.append(", \"reason\": ").append(JsonText(skipped[i].reason)).append("}");
    }
    out.append(skipped.empty() ? "}\n" : "]}\n");
    return out;
}

std::string FormatCsv(const std::vector<Row>& rows)
{
    std::string out = "file,lines\n";
    for (const Row& row : rows) {
        if (NeedsQuotes(row.name)) {
            out.push_back('"');
            for (const char c : row.name) {
                if (c == '"') {
                    out.push_back('"');
                }
                out.push_back(c);
            }
            out.push_back('"');
        } else {
            out.append(row.name);
        }
        out.append(",").append(std::to_string(row.lines)).append("\n");
    }
    return out;
}

}  // namespace lintally::scan
