#include "linecount/ShortSearch.h"

#include <gtest/gtest.h>

#include <string>

using namespace PrjHelper;

// Runs of every length up to three sixteen-byte steps, with the byte sought at every place or
// nowhere: the first of a, b or c is found, and a byte sought just past end is not.
TEST(ShortSearch, FindsTheFirstOfThreeBytesAndNothingPastEnd)
{
    for (std::size_t size = 0; size <= 48; ++size) {
        for (std::size_t at = 0; at <= size; ++at) {
            for (const char sought : {'a', 'b', 'c'}) {
                std::string bytes(size, 'x');
                bytes += sought;  // past end: never found
                if (at < size) {
                    bytes[at] = sought;
                    if (at + 1 < size)
                        bytes[at + 1] = 'a';
                }
                const char* begin = bytes.data();
                EXPECT_EQ(FindFirstOf(begin, begin + size, 'a', 'b', 'c') - begin,
                          static_cast<std::ptrdiff_t>(at))
                    << "size " << size << " at " << at << " byte " << sought;
            }
        }
    }
}
