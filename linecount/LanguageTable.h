// The language table: file extension -> language id -> comment markers.
//
// Languages are known only by small integer ids; id 0 means "no comment markers". The
// tables are constant data built into the program and never change, so every function here
// is pure and may be called from any thread. Nothing here allocates or owns memory.
#pragma once

#include <cstdint>

namespace PrjHelper {

// One row of the extension table: a lower-case extension without its '.', and its language.
struct ExtensionRow
{
    const char* ext;
    std::int32_t lang;
};

// The comment syntax of one language. An empty text means the language has no such marker;
// the pointers are never null.
struct CommentMarkers
{
    const char* single;  // starts a comment that runs to the end of the line
    const char* open;    // opens a block comment
    const char* close;   // closes a block comment
};

// Searched from the first row to the last; the first exact match wins.
inline constexpr ExtensionRow kExtensionTable[] = {
    {"c", 1},    {"cxx", 1},  {"c++", 1}, {"cpp", 1},  {"cc", 1},   {"h", 1},    {"hpp", 1},
    {"hxx", 1},  {"h++", 1},  {"hh", 1},  {"inl", 1},  {"inc", 5},  {"asm", 5},  {"pas", 3},
    {"bas", 2},  {"frm", 2},  {"php", 9}, {"php3", 9}, {"php4", 9}, {"asp", 7},  {"aspx", 7},
    {"jsp", 11}, {"java", 4}, {"pl", 10}, {"cs", 6},   {"py", 12},  {"vbs", 13},
};

// Indexed by language id. Id 8 has markers although no extension leads to it.
inline constexpr CommentMarkers kCommentMarkerTable[] = {
    {"", "", ""},        // 0: unknown extension
    {"//", "/*", "*/"},  // 1: C and C++
    {"'", "", ""},       // 2: Basic
    {"//", "{", "}"},    // 3: Pascal
    {"//", "/*", "*/"},  // 4: Java
    {";", "", ""},       // 5: assembler
    {"//", "/*", "*/"},  // 6: C#
    {"'", "", ""},       // 7: ASP
    {"//", "", ""},      // 8
    {"//", "/*", "*/"},  // 9: PHP
    {"#", "", ""},       // 10: Perl
    {"//", "/*", "*/"},  // 11: JSP
    {"#", "", ""},       // 12: Python
    {"'", "", ""},       // 13: VBScript
};

inline constexpr std::int32_t kLanguageCount =
    static_cast<std::int32_t>(sizeof(kCommentMarkerTable) / sizeof(kCommentMarkerTable[0]));

// The name a language is shown under, indexed by language id like the marker table.
inline constexpr const char* kLanguageNameTable[] = {
    "Other",       // 0: no comment markers
    "C/C++",       // 1
    "Basic",       // 2
    "Pascal",      // 3
    "Java",        // 4
    "Assembler",   // 5
    "C#",          // 6
    "ASP",         // 7
    "Other (//)",  // 8: "//" comments, reached by no extension
    "PHP",         // 9
    "Perl",        // 10
    "JSP",         // 11
    "Python",      // 12
    "VBScript",    // 13
};
static_assert(sizeof(kLanguageNameTable) / sizeof(kLanguageNameTable[0]) == kLanguageCount,
              "every language id has a name");

// Copies the text after the FIRST '.' of path (from the '.' on when withDot is true) into
// buffer: at most size - 1 bytes, the rest of those bytes zero-filled, and a terminating
// zero in the last byte. The whole text is searched, so a '.' in a folder name counts.
// Returns true when the extension fit whole; false when it was cut, or when path has no '.'
// (the buffer is then left unchanged). A null path or buffer, or a size of 0, gives false.
bool GetFileExt(const char* path, char* buffer, std::uint32_t size, bool withDot);

// The language id of an already lower-cased extension (exact, case-sensitive compare);
// 0 for a null pointer and for an extension no row lists.
[[nodiscard]] std::int32_t GetLanguageId(const char* ext);

// The language of a file: the extension of path's last component (after its first '.') goes
// into ext (size bytes, zero-filled, lower-cased; left as it was without a '.'), and its id
// is returned. path must not be null.
std::int32_t GetPathLanguage(const char* path, char* ext, std::uint32_t size);

// The markers of a language id; any id outside the table gives three empty texts. Inline:
// the counter asks once per line.
[[nodiscard]] constexpr CommentMarkers GetCommentMarkers(std::int32_t lang)
{
    return lang >= 0 && lang < kLanguageCount ? kCommentMarkerTable[lang] : kCommentMarkerTable[0];
}

// The name of a language id; any id outside the table is named like id 0.
[[nodiscard]] constexpr const char* GetLanguageName(std::int32_t lang)
{
    return lang >= 0 && lang < kLanguageCount ? kLanguageNameTable[lang] : kLanguageNameTable[0];
}

}  // namespace PrjHelper
