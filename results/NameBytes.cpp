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

void AppendNameBytes(std::string& out, std::string_view name)
{
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || ToValidUtf8(name) == name) {
        return;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    out.append(", \"").append(kNameBytesKey).append("\": \"");
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 0x0F]);
    }
    out.push_back('"');
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
