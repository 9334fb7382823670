#include <gtest/gtest.h>

#include "fileio/MessageText.h"

using Brim::EscapeControlBytes;
using Brim::LineBreaks;
using namespace std::string_view_literals;

TEST(EscapeControlBytes, ShowsControlsAndBidirectionalMarksAndKeepsTheRest)
{
    const struct
    {
        std::string_view text;
        const char* shown;
    } cases[] = {
        {"a\x1b]0;x\x07z", "a\\x1b]0;x\\x07z"},  // C0: a terminal title
        {"nul\x00\x7f"sv, "nul\\x00\\x7f"},      // NUL and DEL
        {"csi\xC2\x9B"
         "2J",
         "csi\\u009b2J"},                                        // C1 CSI as a character
        {"\xC2\x80\xC2\x9F\xC2\xA0", "\\u0080\\u009f\xC2\xA0"},  // C1's ends, then NBSP
        {"gnp\xE2\x80\xAE.c", "gnp\\u202e.c"},                   // right-to-left override
        {"\xE2\x80\x8E\xE2\x80\x8F\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9",
         "\\u200e\\u200f\\u202a\\u2066\\u2069"},
        {"\xE2\x80\xAF\xE2\x81\xAA", "\xE2\x80\xAF\xE2\x81\xAA"},  // neighbours stay
        {"caf\xC3\xA9 \xE6\x97\xA5", "caf\xC3\xA9 \xE6\x97\xA5"},
        {"bad\xff\x9b\xC2.c", "bad\xff\x9b\xC2.c"},  // not UTF-8: an ANSI code page's bytes
        {"t\tn\nr\r", "t\\tn\\nr\\r"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeControlBytes(c.text), c.shown) << c.shown;
    }
}

TEST(EscapeControlBytes, CanKeepLineBreaksForFormatsThatQuoteThem)
{
    EXPECT_EQ(EscapeControlBytes("a\tb\nc\r\x1b\xE2\x80\xAE", LineBreaks::Keep),
              "a\tb\nc\r\\x1b\\u202e");
}
