// How a name too wide for the result list's column is shortened.
#include "dialog/NameElision.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

// A column `width` characters wide (UTF-8 continuation bytes take no room).
std::function<bool(std::string_view)> Column(std::size_t width)
{
    return [width](std::string_view text) {
        std::size_t characters = 0;
        for (const char c : text) {
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        return characters <= width;
    };
}

}  // namespace

TEST(ElideNameMiddle, KeepsTheStartAndTheFileNameAndCutsOnlyBetweenCharacters)
{
    const struct
    {
        const char* name;
        std::size_t width;
        const char* shown;
    } cases[] = {
        {"src/a.c", 7, "src/a.c"},
        {"src/very/long/folder/parser.cpp", 20, "src/very…/parser.cpp"},
        {"src/very/long/folder/parser.cpp", 12, "…/parser.cpp"},
        // The file name alone is too wide: both ends stay, the end's the longer.
        {"dir/averyveryverylongname.cpp", 12, "dir/a…me.cpp"},
        {"averyveryverylongname.cpp", 10, "aver…e.cpp"},
        {"averyveryverylongname.cpp", 0, "…"},
        {"目录/子目录/文件.c", 8, "目录…/文件.c"},
        {"目录/子目录/文件.c", 3, "目…c"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ElideNameMiddle(c.name, "…", Column(c.width)), c.shown)
            << c.name << " in " << c.width;
    }
}
