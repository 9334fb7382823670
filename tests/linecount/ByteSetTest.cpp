#include "linecount/ByteSet.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace PrjHelper;

TEST(ByteSet, FindsTheFirstMemberAtEveryPositionAndLength)
{
    // Sets searched sixteen bytes at a time (1 to 8 members) and byte by byte (9); the text
    // around the member holds NULs and bytes next to the members' values.
    for (const std::string_view members : {"/", "/\"'", "#/\"'`", "abcdefgh", "abcdefghi"}) {
        ByteSet set;
        for (char member : members)
            set.Add(member);
        const char last = members.back();
        for (std::size_t size = 0; size <= 40; ++size) {
            std::string text(size, '\0');
            for (std::size_t i = 0; i < size; ++i)
                text[i] = i % 3 == 0 ? '\0' : static_cast<char>(last + 1);
            EXPECT_EQ(set.FindIn(text.data(), text.data() + size), text.data() + size)
                << members << " " << size;
            for (std::size_t at = 0; at < size; ++at) {
                std::string hit = text;
                hit[at] = last;
                if (at + 1 < size)
                    hit[at + 1] = members[0];
                EXPECT_EQ(set.FindIn(hit.data(), hit.data() + size), hit.data() + at)
                    << members << " size " << size << " at " << at;
            }
        }
    }
}

TEST(ByteSet, EmptySetFindsNothing)
{
    const ByteSet set;
    const std::string text(33, '\0');
    EXPECT_EQ(set.FindIn(text.data(), text.data() + text.size()), text.data() + text.size());
    EXPECT_FALSE(set.Has('\0'));
}

TEST(ByteSet, CursorFindsWhatFindInFindsAsItMovesForward)
{
    // Sets of each size searched a window at a time (1, 2, 4 and 8 rows compared) and a large
    // one; texts shorter and longer than a window, read member by member and with jumps of
    // every size from each member.
    for (const std::string_view members : {"\n", "\n*", "\n/\"'", "#\n/\"'`<=", "abcdefghi"}) {
        ByteSet set;
        for (char member : members)
            set.Add(member);
        for (const std::size_t size : {std::size_t{0}, std::size_t{40}, std::size_t{64},
                                       std::size_t{65}, std::size_t{200}}) {
            std::string text(size, 'x');
            for (std::size_t i = 0; i < size; ++i) {
                if (i % 7 == 3 || i % 31 == 30)
                    text[i] = members[i % members.size()];
            }
            const char* begin = text.data();
            const char* end = begin + size;
            for (std::size_t jump = 1; jump <= 70; jump += 23) {
                ByteSet::Cursor cursor(set, begin, end);
                for (const char* at = begin;; at += jump) {
                    const char* found = cursor.FindIn(at);
                    ASSERT_EQ(found, set.FindIn(at, end))
                        << members << " size " << size << " at " << at - begin;
                    if (found == end)
                        break;
                    at = found;
                    if (end - at < static_cast<std::ptrdiff_t>(jump))
                        break;
                }
            }
        }
    }
}

TEST(ByteSet, SkipWhiteStopsAtTheFirstByteThatIsNotWhiteSpace)
{
    // Indents of every white byte and length, the text byte at every position: LF and NUL
    // are text here, and so is a byte above 127; a CR, form feed or vertical tab among spaces
    // is passed over however the sixteen-byte steps fall.
    constexpr std::string_view kWhite = " \t\r\f\v";
    for (const char text : {'x', '\n', '\0', '\x85'}) {
        for (std::size_t size = 0; size <= 40; ++size) {
            std::string line(size, ' ');
            for (std::size_t i = 0; i < size; ++i)
                line[i] = kWhite[(i * 7 + size) % kWhite.size()];
            const char* begin = line.data();
            EXPECT_EQ(SkipWhite(begin, begin + size), begin + size) << size;
            for (std::size_t at = 0; at < size; ++at) {
                std::string hit = line;
                hit[at] = text;
                EXPECT_EQ(SkipWhite(hit.data(), hit.data() + size), hit.data() + at)
                    << static_cast<int>(text) << " size " << size << " at " << at;
            }
        }
    }
}
