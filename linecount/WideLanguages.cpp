#include "linecount/WideLanguages.h"

#include <array>

#include "fileio/PathSeparator.h"

namespace PrjHelper {

namespace {

// Where the rows of each first byte begin in rows (sorted, so those rows stand together); the
// last entry is the end of the rows.
template <std::size_t N>
constexpr std::array<std::uint16_t, 257> FirstByteStarts(const std::array<WideNameRow, N>& rows)
{
    static_assert(N < 0xFFFF);
    std::array<std::uint16_t, 257> starts{};
    std::size_t row = 0;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        starts[byte] = static_cast<std::uint16_t>(row);
        while (row < N && static_cast<unsigned char>(rows[row].key[0]) == byte)
            ++row;
    }
    starts[256] = static_cast<std::uint16_t>(N);
    return starts;
}

constexpr auto kSuffixStarts = FirstByteStarts(kWideSuffixRows);
constexpr auto kFileNameStarts = FirstByteStarts(kWideFileNameRows);

// A few rows share a first byte: they are compared by size, then bytes. A name is looked up
// for every file counted, so this costs a few compares instead of a binary search's string
// compares.
template <std::size_t N>
std::int32_t Find(const std::array<WideNameRow, N>& rows,
                  const std::array<std::uint16_t, 257>& starts, std::string_view key)
{
    if (key.empty())
        return 0;
    const auto first = static_cast<unsigned char>(key[0]);
    for (std::size_t row = starts[first]; row < starts[first + 1]; ++row) {
        if (rows[row].key == key)
            return kWideLanguageBase + rows[row].language;
    }
    return 0;
}

std::string_view LastComponent(std::string_view path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (Brim::IsPathSeparator(path[i - 1]))
            return path.substr(i);
    }
    return path;
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// The next word of text (skipping spaces and tabs before it), removed from text.
std::string_view NextWord(std::string_view& text)
{
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start]))
        ++start;
    std::size_t end = start;
    while (end < text.size() && !IsSpace(text[end]))
        ++end;
    const std::string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

// "python3.11" -> "python": versions follow the name as digits and dots.
std::string_view WithoutVersion(std::string_view name)
{
    while (!name.empty() && ((name.back() >= '0' && name.back() <= '9') || name.back() == '.'))
        name.remove_suffix(1);
    return name;
}

std::int32_t InterpreterLanguage(std::string_view name)
{
    name = WithoutVersion(name);
    for (const InterpreterRow& row : kInterpreters) {
        if (name == row.interpreter) {
            const std::int32_t index = WideLanguageIndex(row.language);
            return index < kWideLanguageCount ? kWideLanguageBase + index : 0;
        }
    }
    return 0;
}

}  // namespace

std::int32_t WideLanguageOfName(std::string_view fileName)
{
    const std::string_view name = LastComponent(fileName);
    if (const std::int32_t lang = Find(kWideFileNameRows, kFileNameStarts, name); lang != 0)
        return lang;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size() ||
        name.size() - dot - 1 > kWideSuffixMax)
        return 0;
    char suffix[kWideSuffixMax];
    const std::string_view given = name.substr(dot + 1);
    for (std::size_t i = 0; i < given.size(); ++i) {
        const char c = given[i];
        suffix[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return Find(kWideSuffixRows, kSuffixStarts, std::string_view(suffix, given.size()));
}

std::int32_t WideLanguageOfShebang(std::string_view line)
{
    if (line.size() < 2 || line[0] != '#' || line[1] != '!')
        return 0;
    line.remove_prefix(2);
    std::string_view program = LastComponent(NextWord(line));
    if (program != "env")
        return InterpreterLanguage(program);
    // env's own options ("-S", "-i", "-u NAME") and assignments come before the command.
    for (std::string_view word = NextWord(line); !word.empty(); word = NextWord(line)) {
        if (word == "-u" || word == "--unset" || word == "-C" || word == "--chdir") {
            NextWord(line);
        } else if (word[0] != '-' && word.find('=') == std::string_view::npos) {
            return InterpreterLanguage(LastComponent(word));
        }
    }
    return 0;
}

}  // namespace PrjHelper
