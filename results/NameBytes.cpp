#include "results/NameBytes.h"

#include <algorithm>

#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

}  // namespace

std::string NameBytesHex(std::string_view name)
{
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    std::string hex;
    if (ascii || ToValidUtf8(name) == name) {
        return hex;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    hex.reserve(2 * name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        hex.push_back(kDigits[byte >> 4]);
        hex.push_back(kDigits[byte & 0x0F]);
    }
    return hex;
}

void AppendNameBytes(std::string& out, std::string_view name)
{
    const std::string hex = NameBytesHex(name);
    if (!hex.empty()) {
        out.append(", \"").append(kNameBytesKey).append("\": \"").append(hex).append("\"");
    }
}

bool BytesFromHex(std::string_view hex, std::string& bytes)
{
    bytes.clear();
    if (hex.size() % 2 != 0) {
        return false;
    }
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

}  // namespace lintally::results
