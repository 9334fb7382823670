#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "results/CountTable.h"
#include "results/TextWidth.h"

using lintally::results::DisplayWidth;

TEST(DisplayWidth, CountsTheColumnsATerminalGivesTheText)
{
    const struct
    {
        const char* text;
        std::size_t width;
    } cases[] = {
        {"", 0},
        {"a.c", 3},
        {"caf\xC3\xA9", 4},                 // two bytes, one column
        {"e\xCC\x81", 1},                   // combining acute accent
        {"\xE6\x97\xA5\xE6\x9C\xAC.c", 6},  // two wide characters
        {"\xF0\x9F\x98\x80", 2},            // emoji
        {"bad\xff\xfe.c", 7},               // each stray byte one column
        {"\xE6\x97", 2},                    // a character cut short: two stray bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
    }
}

TEST(WriteTable, NamesThatAreNotAsciiKeepTheColumnsInLine)
{
    lintally::scan::ScanResult result;
    for (const char* name :
         {"a.c", "\xE6\x97\xA5\xE6\x9C\xAC.c", "bad\xff.c", "caf\xC3\xA9.c", "rlo\xE2\x80\xAE.c"}) {
        result.rows.Add(name, 1234, {1234, 0, 0}, 0);
    }
    result.files = 5;
    lintally::scan::CountSettings everyLine;
    everyLine.includeRemed = true;
    everyLine.excludeBlank = false;
    lintally::results::TextOut text;
    lintally::results::WriteTable(text, {true, {}}, everyLine, result);
    std::istringstream lines(text.Take());
    std::string line;
    std::set<std::size_t> widths;
    while (std::getline(lines, line)) {
        widths.insert(DisplayWidth(line));
        EXPECT_EQ(line.find("\xE2\x80\xAE"), std::string::npos) << line;
    }
    EXPECT_EQ(widths.size(), 1U);
}
