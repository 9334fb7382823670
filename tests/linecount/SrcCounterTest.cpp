#include "linecount/SrcCounter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"

using lintally::testing::TempFolder;

using namespace PrjHelper;

namespace {

// Counts one file the way a scan does: construct, open, set the options, run.
std::uint32_t CountFile(const std::string& path, std::uint32_t flags)
{
    CSrcCounter counter;
    counter.Open(path.c_str());
    counter.m_dwFlags = flags;
    counter.m_Reader.Run();
    return counter.m_nCount;
}

struct Opened
{
    std::string ext;
    std::int32_t lang;
};

Opened OpenOnly(const std::string& path)
{
    CSrcCounter counter;
    counter.Open(path.c_str());
    return {counter.m_szExt, counter.m_nLang};
}

}  // namespace

TEST(CSrcCounter, StartsZeroedWithItselfAsTheOnlyHook)
{
    CSrcCounter counter;
    for (char c : counter.m_szPath)
        ASSERT_EQ(c, '\0');
    for (char c : counter.m_szExt)
        ASSERT_EQ(c, '\0');
    EXPECT_EQ(counter.m_nLang, 0);
    EXPECT_EQ(counter.m_nCount, 0u);
    EXPECT_EQ(counter.m_Reader.Run(), 0);  // no file: no events
    EXPECT_EQ(counter.m_nCount, 0u);
}

TEST(CSrcCounter, SixLineExampleCountsByTheOptions)
{
    TempFolder dir;
    const std::string path = dir.Write(
        "example.c", "#include <stdio.h>\n\n// remark\n/* text */\nx = 1; // remark\n   \n");
    EXPECT_EQ(CountFile(path, 0), 2u);
    EXPECT_EQ(CountFile(path, CF_COUNT_BLANK), 4u);
    EXPECT_EQ(CountFile(path, CF_COUNT_REMED), 4u);
    EXPECT_EQ(CountFile(path, CF_COUNT_REMED | CF_COUNT_BLANK), 6u);
}

TEST(CSrcCounter, ExtensionComesFromTheFileNameNotItsFolders)
{
    TempFolder dir;
    const Opened dotted = OpenOnly(dir.Write("my.lib/x.c", "int a;\n"));
    EXPECT_EQ(dotted.ext, "c");
    EXPECT_EQ(dotted.lang, 1);

    const Opened relative = OpenOnly("./src/a.java");
    EXPECT_EQ(relative.ext, "java");
    EXPECT_EQ(relative.lang, 4);

    const Opened twoDots = OpenOnly("a.tar.gz");
    EXPECT_EQ(twoDots.ext, "tar.gz");
    EXPECT_EQ(twoDots.lang, 0);

    const Opened upper = OpenOnly("/SRC.D/Main.CPP");
    EXPECT_EQ(upper.ext, "cpp");
    EXPECT_EQ(upper.lang, 1);

    const Opened none = OpenOnly("src.d/Makefile");
    EXPECT_EQ(none.ext, "");
    EXPECT_EQ(none.lang, 0);

    const Opened longExt = OpenOnly("a.abcdefgh");
    EXPECT_EQ(longExt.ext, "abcdefg");
    EXPECT_EQ(longExt.lang, 0);
}

TEST(CSrcCounter, MissingFileOpensFalseAndCountsZero)
{
    TempFolder dir;
    CSrcCounter counter;
    EXPECT_FALSE(counter.Open(dir.Path("missing.c").c_str()));
    EXPECT_FALSE(counter.Open(nullptr));
    counter.m_Reader.Run();
    EXPECT_EQ(counter.m_nCount, 0u);
}

TEST(CSrcCounter, OnBeginResetsTheCountAndTheBlockState)
{
    TempFolder dir;
    CSrcCounter counter;
    counter.m_nLang = 1;
    counter.m_dwFlags = CF_TRACK_BLOCKS;
    EXPECT_EQ(counter.OnLine("int a;"), 0);
    EXPECT_EQ(counter.OnLine("/* open"), 0);
    EXPECT_EQ(counter.m_nCount, 1u);

    const std::string path = dir.Write("b.c", "int b;\n");
    ASSERT_TRUE(counter.m_Reader.Open(path.c_str()));
    counter.m_Reader.Run();
    EXPECT_EQ(counter.m_nCount, 1u);  // the block left open before OnBegin is gone
}

TEST(CSrcCounter, NulByteEndsWhatTheLineShows)
{
    TempFolder dir;
    const std::string path =
        dir.Write("nul-byte.c", std::string("int a;\0// x\n\0int b;\n// c\n", 25));
    EXPECT_EQ(CountFile(path, 0), 1u);
    EXPECT_EQ(CountFile(path, CF_COUNT_BLANK), 2u);
}
