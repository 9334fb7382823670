#include "linecount/SrcCounter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"

using lintally::testing::TempFolder;

using namespace PrjHelper;

TEST(CSrcCounter, PathLongerThanItsCopyStillOpensWithTheFileNamesLanguage)
{
    TempFolder dir;
    std::string relative;
    while (relative.size() < 300)
        relative += std::string(60, 'd') + "/";
    const std::string path = dir.Write(relative + "deep.c", "// remark\nint a;\n");
    ASSERT_GT(path.size(), 260u);

    CSrcCounter counter;
    ASSERT_TRUE(counter.Open(path.c_str()));
    EXPECT_EQ(std::string(counter.m_szPath), path.substr(0, 260));
    EXPECT_EQ(counter.m_szPath[260], '\0');
    EXPECT_EQ(counter.m_nLang, 1);
    counter.m_Reader.Run();
    EXPECT_EQ(counter.m_nCount, 1u);
}
