// The patterns of one ignore file (a .gitignore, .git/info/exclude, the user's global
// excludes file), read and matched as git reads them: '#' comments, trailing spaces dropped
// unless escaped, '!' to keep again, a trailing '/' for folders only, a pattern with a '/'
// before its end matched against the path under the file's folder and any other against the
// last part of the path, and "**" across folders only as a whole part ("**/", "/**",
// "/**/"); elsewhere it is one '*'.
//
// A short list is tried pattern by pattern from its end. In a long one, plain names and
// paths, and "*" plus a suffix, are looked up in hash tables (TextPlaces), so thousands of
// patterns cost about as much per path as a few; only its other patterns are tried one by one.
//
// Immutable once read: any number of threads may match with it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gitsel/TextPlaces.h"
#include "scan/Glob.h"

namespace lintally::gitsel {

class IgnoreList
{
public:
    // Reads the patterns of a file's text (lines end in "\n" or "\r\n"; a leading UTF-8 byte
    // order mark is dropped). A pattern that is not one (an unclosed '[') never matches, as
    // in git.
    explicit IgnoreList(std::string_view text);

    // The last pattern that matches relative (a path under the file's folder, parts joined by
    // '/'; folder: it names a folder) decides: true ignored, false kept again by a '!'
    // pattern; none when no pattern matches.
    [[nodiscard]] std::optional<bool> Match(std::string_view relative, bool folder) const;

    [[nodiscard]] bool empty() const { return m_patterns.empty(); }

private:
    // Most patterns are a plain name or "*" and a suffix; those are compared as text, as git
    // does too, and only the others go through the glob.
    enum class Form : unsigned char
    {
        Text,    // no wildcard: the whole text
        Suffix,  // "*" then no wildcard, matched against the last part: its end
        Glob,
    };
    struct Pattern
    {
        Form form = Form::Glob;
        std::string text;  // Text's and Suffix's (without the '*')
        scan::Glob glob;
        bool keep = false;         // '!'
        bool foldersOnly = false;  // a trailing '/'
        bool byPath = false;       // a '/' before the end: the whole path, else its last part
    };
    // From this many patterns on, the tables are built and asked.
    static constexpr std::size_t kTablesFrom = 16;

    void Add(std::string_view line);
    [[nodiscard]] std::optional<bool> MatchEach(std::string_view relative, std::string_view name,
                                                bool folder) const;
    // Raises best to the latest place of places for text that applies to a folder or not.
    void Latest(const TextPlaces& places, std::string_view text, bool ending, bool folder,
                std::int64_t& best) const;

    std::vector<Pattern> m_patterns;
    TextPlaces m_names;                  // Text, matched against the last part
    TextPlaces m_paths;                  // Text, matched against the whole path
    TextPlaces m_suffixes;               // Suffix, by the text after the '*'
    std::vector<std::uint32_t> m_globs;  // the places of the Glob patterns
    bool m_tabled = false;               // the tables hold the list
};

}  // namespace lintally::gitsel
