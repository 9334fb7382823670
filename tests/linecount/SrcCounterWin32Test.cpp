#include "linecount/SrcCounter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"

using lintally::testing::TempFolder;

using namespace PrjHelper;

TEST(CSrcCounter, ExtensionComesFromTheNameAfterEitherSeparator)
{
    TempFolder dir;
    const std::string path = dir.Write("my.lib\\x.c", "int a;\n// remark\n");
    ASSERT_NE(path.find('\\'), std::string::npos);
    CSrcCounter counter;
    ASSERT_TRUE(counter.Open(path.c_str()));
    EXPECT_STREQ(counter.m_szExt, "c");
    EXPECT_EQ(counter.m_nLang, 1);
    counter.m_Reader.Run();
    EXPECT_EQ(counter.m_nCount, 1u);

    CSrcCounter mixed;
    mixed.Open("C:\\SRC.D/lib.x\\Main.CPP");
    EXPECT_STREQ(mixed.m_szExt, "cpp");
    CSrcCounter bare;
    bare.Open("C:\\src.d\\Makefile");
    EXPECT_STREQ(bare.m_szExt, "");
    EXPECT_EQ(bare.m_nLang, 0);
}

TEST(CSrcCounter, PathLongerThanTheSystemTakesDoesNotOpenButKeepsItsCopy)
{
    TempFolder dir;
    const std::string path = dir.Path(std::string(300, 'd') + "\\deep.java");
    CSrcCounter counter;
    EXPECT_FALSE(counter.Open(path.c_str()));
    EXPECT_EQ(std::string(counter.m_szPath), path.substr(0, 260));
    EXPECT_EQ(counter.m_nLang, 4);
    counter.m_Reader.Run();
    EXPECT_EQ(counter.m_nCount, 0u);
}
