// The settings files' TOML: what is read, and each fault named with its line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileio/TomlReader.h"

using Brim::ReadToml;
using Brim::TomlEntry;
using Brim::TomlError;
using Brim::TomlValue;

TEST(ReadToml, ReadsStringsIntegersBooleansArraysAndTables)
{
    const std::string text =
        "# defaults\n"
        "by = \"language\"  # a comment\r\n"
        "\"quoted key\" = 'C:\\raw\\path'\n"
        "escapes = \"tab\\t q\\\" \\u00e9 \\U0001F600\"\n"
        "jobs = -1_000\n"
        "skip-binary = true\n"
        "exclude = [\n"
        "  \"vendor/\",  # third-party\n"
        "  'build',\n"
        "]\n"
        "empty = []\n"
        "\n"
        "[diff]\n"
        "by = \"dir\"\n";
    std::vector<TomlEntry> entries;
    TomlError error;
    ASSERT_TRUE(ReadToml(text, entries, error)) << error.line << ": " << error.what;
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[0].key, "by");
    EXPECT_EQ(entries[0].value.text, "language");
    EXPECT_EQ(entries[0].line, 2u);
    EXPECT_EQ(entries[1].key, "quoted key");
    EXPECT_EQ(entries[1].value.text, "C:\\raw\\path");
    EXPECT_EQ(entries[2].value.text, "tab\t q\" \xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(entries[3].value.kind, TomlValue::Kind::Integer);
    EXPECT_EQ(entries[3].value.integer, -1000);
    EXPECT_TRUE(entries[4].value.boolean);
    EXPECT_EQ(entries[5].value.strings, (std::vector<std::string>{"vendor/", "build"}));
    EXPECT_EQ(entries[5].line, 7u);
    EXPECT_EQ(entries[6].value.kind, TomlValue::Kind::Strings);
    EXPECT_TRUE(entries[6].value.strings.empty());
    EXPECT_EQ(entries[7].table, "diff");
    EXPECT_EQ(entries[7].line, 14u);
}

TEST(ReadToml, NamesEachFaultWithItsLine)
{
    using namespace std::string_literals;
    struct Case
    {
        std::string text;
        std::size_t line;
        const char* what;
    };
    const Case cases[] = {
        {"a = 1\nb = \"open\n", 2, "the string is not closed on its line"},
        {"a = 1\na = 2\n", 2, "a is given twice"},
        {"[t]\nx = 1\n[t]\n", 3, "table [t] is given twice"},
        {"a = [\n\"x\",\n1]\n", 3, "arrays hold strings only here, found '1'"},
        {"a = [\"x\"\n", 2, "the array is not closed"},
        {"a = \"x\" \"y\"\n", 1, "unexpected '\"' where the line should end"},
        {"a = 1.5\n", 1, "floats and dates are not read here"},
        {"a = 1979-05-27\n", 1, "floats and dates are not read here"},
        {"a = 0x10\n", 1, "hexadecimal, octal and binary integers are not read here"},
        {"a = 007\n", 1, "an integer has no leading zero"},
        {"a = [\"x\" \"y\"]\n", 1, "expected ',' or ']' in the array, found '\"'"},
        {"a = 9223372036854775808\n", 1, "the integer is too large"},
        {"a = 1__0\n", 1, "'_' stands only between digits"},
        {"a = \"\\q\"\n", 1, "unknown escape \\q"},
        {"a = \"\\uD800\"\n", 1, "\\u names no Unicode character"},
        {"a = \"\\u12\"\n", 1, "\\u takes 4 hexadecimal digits"},
        {"a = \"\"\"x\"\"\"\n", 1, "multi-line strings are not read here"},
        {"a.b = 1\n", 1, "dotted keys are not read here"},
        {"a = {}\n", 1, "inline tables are not read here"},
        {"[[t]]\n", 1, "arrays of tables ([[...]]) are not read here"},
        {"a = 1\n[t", 2, "expected ']' after the table's name, found the end of the file"},
        {"a = yes\n", 1,
         "expected a value (a string, an integer, true, false or an array of strings), found 'y'"},
        {"a\n", 1, "expected '=' after a, found byte 0x0A"},
        {"= 1\n", 1, "expected a key, found '='"},
        {"a = \"x\x01\"\n", 1, "byte 0x01 in a string (write it as an escape)"},
        {"# ok\n\nx = 1\r", 3, "unexpected byte 0x0D where the line should end"},
        {"a = 1\nb = 2\n\x7f"
         "ELF\0\0"s,
         3, "holds a NUL byte: not a text file"},
    };
    for (const Case& c : cases) {
        std::vector<TomlEntry> entries;
        TomlError error;
        EXPECT_FALSE(ReadToml(c.text, entries, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.what, c.what) << c.text;
    }
}
