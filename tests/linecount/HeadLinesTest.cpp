#include "linecount/HeadLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace PrjHelper;

namespace {

// The lines the content rules see, split the plain way: by LF, less a trailing CR and the
// leading spaces and tabs, blank ones left out.
std::vector<std::string> PlainLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t lf = std::min(text.find('\n', at), text.size());
        std::string line = text.substr(at, lf - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos)
            lines.push_back(line.substr(first));
        at = lf + 1;
    }
    return lines;
}

}  // namespace

// Long and short lines, blank runs and CRs on both sides of every window edge.
TEST(HeadLines, LinesAndFirstLinesAreTheOnesAPlainSplitGives)
{
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        // Short lines; lines longer than a window; long blank runs that cross windows.
        const int kind = round % 3;
        std::string text(random() % 300, 'x');
        for (char& c : text) {
            if (random() % (kind == 0 ? 7 : 150) == 0)
                c = '\n';
            else if (kind == 2 && random() % 40 != 0)
                c = " \t"[random() % 2];
            else
                c = " \t\r#a"[random() % 5];
        }
        std::vector<std::string> seen;
        EXPECT_FALSE(AnyHeadLine(text, [&seen](std::string_view line) {
            seen.emplace_back(line);
            return false;
        }));
        const std::vector<std::string> expected = PlainLines(text);
        ASSERT_EQ(seen, expected) << text;

        std::vector<std::string> letBy;
        AnyHeadLine(
            text, [](char first) { return first == '#'; },
            [&letBy](std::string_view line) {
                letBy.emplace_back(line);
                return letBy.size() == 2;  // the walk stops at the first true
            });
        std::vector<std::string> hashes;
        for (const std::string& line : expected) {
            if (line.front() == '#' && hashes.size() < 2)
                hashes.push_back(line);
        }
        ASSERT_EQ(letBy, hashes) << text;

        const std::size_t count = random() % 12;
        std::size_t end = 0;
        for (std::size_t line = 0; line < count && end < text.size(); ++line)
            end = std::min(text.find('\n', end), text.size() - 1) + 1;
        ASSERT_EQ(FirstHeadLines(text, count), std::string_view(text).substr(0, end))
            << count << ": " << text;
    }
}
