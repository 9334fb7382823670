#include "linecount/CodeLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FakeStream.h"
#include "linecount/LineTally.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"

using namespace PrjHelper;

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

// Both tables, with and without block tracking: the code lines taken out of every golden
// file are as many as the counter's code lines.
TEST(CodeLines, GoldenFilesGiveAsManyLinesAsTheCounterCounts)
{
    const std::filesystem::path data(LINTALLY_TEST_DATA);
    for (const char* folder : {"golden", "golden-wide"}) {
        for (const auto& entry : std::filesystem::directory_iterator(data / folder)) {
            const std::string name = entry.path().filename().string();
            const std::string text = ReadAll(entry.path());
            for (const std::uint32_t blocks : {0u, CF_TRACK_BLOCKS}) {
                FakeStream design(text);
                char ext[16] = {};
                const std::int32_t lang = GetPathLanguage(name.c_str(), ext, sizeof ext);
                const std::string designCode = CodeLines(text, lang, blocks);
                EXPECT_EQ(std::count(designCode.begin(), designCode.end(), '\n'),
                          TallyLines(design, lang, blocks).code)
                    << name << " blocks " << blocks;

                FakeStream wide(text);
                const WideTallyResult tally =
                    TallyWideLines(wide, WideLanguageOfName(name), true, blocks);
                const std::string wideCode = CodeLines(text, tally.lang, blocks | CF_WIDE_TABLE);
                EXPECT_EQ(std::count(wideCode.begin(), wideCode.end(), '\n'), tally.kinds.code)
                    << name << " wide, blocks " << blocks;
            }
        }
    }
}

TEST(CodeLines, KeepsCodeLinesWholeAndInOrder)
{
    EXPECT_EQ(CodeLines("int a;\n// c\n\n  b(); /* x */\r\nlast", GetLanguageId("c"), 0),
              "int a;\n  b(); /* x */\r\nlast\n");
    const std::int32_t python = kWideLanguageBase + WideLanguageIndex("Python");
    EXPECT_EQ(CodeLines("#!/usr/bin/env python3\n\"\"\"doc\n\"\"\"\nx = 1\n", python,
                        CF_WIDE_TABLE | CF_TRACK_BLOCKS),
              "#!/usr/bin/env python3\nx = 1\n");
}
