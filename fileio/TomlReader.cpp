#include "fileio/TomlReader.h"

#include <set>
#include <utility>

namespace Brim {

namespace {

bool IsBareKeyByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

// A byte TOML allows in a string or a comment: tab, or anything but a control byte.
bool IsTextByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '\t' || (byte >= 0x20 && byte != 0x7F);
}

// The byte as an error names it: 'x' when printable, else its value.
std::string Describe(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F) {
        return std::string("'") + c + "'";
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("byte 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
}

void AppendUtf8(std::uint32_t code, std::string& out)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Parser
{
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    bool Run(std::vector<TomlEntry>& entries)
    {
        if (m_text.find('\0') != std::string_view::npos) {
            m_line = 1 + Count('\n', m_text.substr(0, m_text.find('\0')));
            return Fail("holds a NUL byte: not a text file");
        }
        while (SkipSpaces(), !AtEnd()) {
            const char c = Peek();
            const bool done = c == '#' || c == '\n' || c == '\r' ? EndOfLine()
                              : c == '['                         ? Table()
                                                                 : Entry(entries);
            if (!done) {
                return false;
            }
        }
        return true;
    }

    const TomlError& Error() const { return m_error; }

private:
    static std::size_t Count(char c, std::string_view text)
    {
        std::size_t count = 0;
        for (const char each : text) {
            count += each == c ? 1 : 0;
        }
        return count;
    }

    bool Fail(std::string what)
    {
        m_error = TomlError{m_line, std::move(what)};
        return false;
    }
    bool AtEnd() const { return m_at >= m_text.size(); }
    // The byte at the cursor; NUL at the end (the text holds none of its own).
    char Peek() const { return AtEnd() ? '\0' : m_text[m_at]; }
    bool Next(char c)
    {
        if (!AtEnd() && Peek() == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool NextIs(std::string_view word) const { return m_text.substr(m_at, word.size()) == word; }
    void SkipSpaces()
    {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t')) {
            ++m_at;
        }
    }
    std::string Found() const { return AtEnd() ? "the end of the file" : Describe(Peek()); }

    // Spaces and a comment, then the line's end or the text's.
    bool EndOfLine()
    {
        SkipSpaces();
        if (Next('#')) {
            while (!AtEnd() && Peek() != '\n' && Peek() != '\r') {
                if (!IsTextByte(Peek())) {
                    return Fail(Describe(Peek()) + " in a comment");
                }
                ++m_at;
            }
        }
        if (AtEnd()) {
            return true;
        }
        if (NextIs("\r\n")) {
            ++m_at;
        }
        if (Next('\n')) {
            ++m_line;
            return true;
        }
        return Fail("unexpected " + Found() + " where the line should end");
    }

    // Spaces, comments and line ends, as an array may hold between its values.
    bool SkipBlankLines()
    {
        for (;;) {
            SkipSpaces();
            if (AtEnd() || (Peek() != '#' && Peek() != '\n' && Peek() != '\r')) {
                return true;
            }
            if (!EndOfLine()) {
                return false;
            }
        }
    }

    bool Key(std::string& key)
    {
        if (!AtEnd() && (Peek() == '"' || Peek() == '\'')) {
            return String(key);
        }
        const std::size_t start = m_at;
        while (!AtEnd() && IsBareKeyByte(Peek())) {
            ++m_at;
        }
        if (m_at == start) {
            return Fail("expected a key, found " + Found());
        }
        key.assign(m_text.substr(start, m_at - start));
        return true;
    }

    bool Table()
    {
        ++m_at;
        if (Next('[')) {
            return Fail("arrays of tables ([[...]]) are not read here");
        }
        SkipSpaces();
        std::string name;
        if (!Key(name)) {
            return false;
        }
        SkipSpaces();
        if (!Next(']')) {
            return Fail(Peek() == '.' ? "dotted table names are not read here"
                                      : "expected ']' after the table's name, found " + Found());
        }
        if (!m_tables.insert(name).second) {
            return Fail("table [" + name + "] is given twice");
        }
        m_table = std::move(name);
        return EndOfLine();
    }

    bool Entry(std::vector<TomlEntry>& entries)
    {
        TomlEntry entry{m_table, {}, {}, m_line};
        if (!Key(entry.key)) {
            return false;
        }
        SkipSpaces();
        if (!AtEnd() && Peek() == '.') {
            return Fail("dotted keys are not read here");
        }
        if (!Next('=')) {
            return Fail("expected '=' after " + entry.key + ", found " + Found());
        }
        SkipSpaces();
        if (!Value(entry.value)) {
            return false;
        }
        if (!m_keys.emplace(entry.table, entry.key).second) {
            m_line = entry.line;
            return Fail(entry.key + " is given twice");
        }
        entries.push_back(std::move(entry));
        return EndOfLine();
    }

    bool Value(TomlValue& value)
    {
        if (AtEnd()) {
            return Fail("a value is missing");
        }
        const char c = Peek();
        if (c == '"' || c == '\'') {
            value.kind = TomlValue::Kind::String;
            return String(value.text);
        }
        if (c == '[') {
            value.kind = TomlValue::Kind::Strings;
            return Array(value.strings);
        }
        if (NextIs("true") || NextIs("false")) {
            value.kind = TomlValue::Kind::Boolean;
            value.boolean = c == 't';
            m_at += value.boolean ? 4 : 5;
            return true;
        }
        if (c == '+' || c == '-' || (c >= '0' && c <= '9')) {
            value.kind = TomlValue::Kind::Integer;
            return Integer(value.integer);
        }
        if (c == '{') {
            return Fail("inline tables are not read here");
        }
        return Fail(
            "expected a value (a string, an integer, true, false or an array of "
            "strings), found " +
            Found());
    }

    bool Integer(std::int64_t& value)
    {
        const bool negative = Peek() == '-';
        if (Peek() == '+' || negative) {
            ++m_at;
        }
        const std::size_t start = m_at;
        std::uint64_t magnitude = 0;
        const std::uint64_t limit =
            negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
        bool digitBefore = false;
        while (!AtEnd() && ((Peek() >= '0' && Peek() <= '9') || Peek() == '_')) {
            if (Peek() == '_') {
                if (!digitBefore) {
                    return Fail("'_' stands only between digits");
                }
                digitBefore = false;
                ++m_at;
                continue;
            }
            const auto digit = static_cast<std::uint64_t>(Peek() - '0');
            if (magnitude > (limit - digit) / 10) {
                return Fail("the integer is too large");
            }
            magnitude = magnitude * 10 + digit;
            digitBefore = true;
            ++m_at;
        }
        const std::string_view digits = m_text.substr(start, m_at - start);
        if (!digitBefore) {
            return Fail(digits.empty() ? "expected digits, found " + Found()
                                       : "'_' stands only between digits");
        }
        if (digits == "0" && !AtEnd() && (Peek() == 'x' || Peek() == 'o' || Peek() == 'b')) {
            return Fail("hexadecimal, octal and binary integers are not read here");
        }
        if (digits.size() > 1 && digits[0] == '0') {
            return Fail("an integer has no leading zero");
        }
        if (!AtEnd() &&
            (Peek() == '.' || Peek() == 'e' || Peek() == 'E' || Peek() == ':' || Peek() == '-')) {
            return Fail("floats and dates are not read here");
        }
        value = negative ? static_cast<std::int64_t>(0 - magnitude)
                         : static_cast<std::int64_t>(magnitude);
        return true;
    }

    bool Array(std::vector<std::string>& strings)
    {
        ++m_at;
        for (;;) {
            if (!SkipBlankLines()) {
                return false;
            }
            if (Next(']')) {
                return true;
            }
            if (AtEnd() || (Peek() != '"' && Peek() != '\'')) {
                return Fail(AtEnd() ? "the array is not closed"
                                    : "arrays hold strings only here, found " + Found());
            }
            strings.emplace_back();
            if (!String(strings.back()) || !SkipBlankLines()) {
                return false;
            }
            if (Next(']')) {
                return true;
            }
            if (!Next(',')) {
                return Fail(AtEnd() ? "the array is not closed"
                                    : "expected ',' or ']' in the array, found " + Found());
            }
        }
    }

    bool String(std::string& out)
    {
        const char quote = Peek();
        if (NextIs(quote == '"' ? "\"\"\"" : "'''")) {
            return Fail("multi-line strings are not read here");
        }
        ++m_at;
        out.clear();
        for (;;) {
            if (AtEnd() || Peek() == '\n' || Peek() == '\r') {
                return Fail("the string is not closed on its line");
            }
            const char c = m_text[m_at++];
            if (c == quote) {
                return true;
            }
            if (!IsTextByte(c)) {
                --m_at;
                return Fail(Describe(c) + " in a string (write it as an escape)");
            }
            if (c != '\\' || quote == '\'') {
                out += c;
            } else if (!Escape(out)) {
                return false;
            }
        }
    }

    bool Escape(std::string& out)
    {
        if (AtEnd()) {
            return Fail("the string is not closed on its line");
        }
        const char c = m_text[m_at++];
        static constexpr std::pair<char, char> kSimple[] = {{'b', '\b'}, {'t', '\t'}, {'n', '\n'},
                                                            {'f', '\f'}, {'r', '\r'}, {'"', '"'},
                                                            {'\\', '\\'}};
        for (const auto& [name, byte] : kSimple) {
            if (c == name) {
                out += byte;
                return true;
            }
        }
        if (c != 'u' && c != 'U') {
            return Fail("unknown escape \\" + (IsTextByte(c) ? std::string(1, c) : Describe(c)));
        }
        const std::size_t length = c == 'u' ? 4 : 8;
        const std::string escape = c == 'u' ? "\\u" : "\\U";
        std::uint32_t code = 0;
        for (std::size_t i = 0; i < length; ++i, ++m_at) {
            const char h = AtEnd() ? 'x' : Peek();
            const int digit = h >= '0' && h <= '9'   ? h - '0'
                              : h >= 'a' && h <= 'f' ? h - 'a' + 10
                              : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                     : -1;
            if (digit < 0 || code > 0x10FFFF) {
                return Fail(escape + (c == 'u' ? " takes 4" : " takes 8") + " hexadecimal digits");
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
        }
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return Fail(escape + " names no Unicode character");
        }
        AppendUtf8(code, out);
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
    std::string m_table;
    std::set<std::string> m_tables;
    std::set<std::pair<std::string, std::string>> m_keys;
    TomlError m_error;
};

}  // namespace

bool ReadToml(std::string_view text, std::vector<TomlEntry>& entries, TomlError& error)
{
    entries.clear();
    Parser parser(text);
    if (!parser.Run(entries)) {
        error = parser.Error();
        return false;
    }
    return true;
}

}  // namespace Brim
