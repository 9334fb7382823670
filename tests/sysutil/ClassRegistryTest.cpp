#include "sysutil/ClassRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr const char* kClassId = "{00021401-0000-0000-C000-000000000046}";

// Keys and default values in memory; remembers every key it was asked for.
class CMemoryRegistry final : public Brim::IClassRegistry
{
public:
    bool ReadDefaultValue(const char* key, std::string& value) const override
    {
        m_Asked.push_back(key);
        const auto found = m_Values.find(key);
        if (found == m_Values.end()) {
            return false;
        }
        value = found->second;
        return true;
    }

    std::map<std::string, std::string> m_Values;
    mutable std::vector<std::string> m_Asked;
};

class ClassRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string base = std::string("CLSID\\") + kClassId;
        m_Registry.m_Values[base + "\\InprocServer32"] = "/usr/lib/libshell.so";
        m_Registry.m_Values[base + "\\ProgID"] = "lnkfile.1";
        m_Registry.m_Values[base + "\\VersionIndependentProgID"] = "lnkfile";
    }

    CMemoryRegistry m_Registry;
    char m_szOut[64] = "stale";
    std::uint32_t m_nSize = sizeof m_szOut;
};

TEST_F(ClassRegistryTest, InprocServerKeyIsFormattedAndReadWithItsSize)
{
    ASSERT_TRUE(Brim::GetInprocServer(kClassId, m_szOut, &m_nSize, m_Registry));
    ASSERT_EQ(m_Registry.m_Asked.size(), 1u);
    EXPECT_EQ(m_Registry.m_Asked[0], std::string("CLSID\\") + kClassId + "\\InprocServer32");
    EXPECT_STREQ(m_szOut, "/usr/lib/libshell.so");
    EXPECT_EQ(m_nSize, sizeof "/usr/lib/libshell.so");
}

TEST_F(ClassRegistryTest, ProgIdAndVersionIndependentProgIdUseTheirKeys)
{
    ASSERT_TRUE(Brim::GetProgId(kClassId, m_szOut, &m_nSize, false, m_Registry));
    EXPECT_STREQ(m_szOut, "lnkfile.1");
    EXPECT_EQ(m_nSize, 10u);
    m_nSize = sizeof m_szOut;
    ASSERT_TRUE(Brim::GetProgId(kClassId, m_szOut, &m_nSize, true, m_Registry));
    EXPECT_STREQ(m_szOut, "lnkfile");
    EXPECT_EQ(m_nSize, 8u);
    EXPECT_EQ(m_Registry.m_Asked.back(),
              std::string("CLSID\\") + kClassId + "\\VersionIndependentProgID");
}

TEST_F(ClassRegistryTest, TooSmallBufferFailsAndAsksForTheSizeNeeded)
{
    m_nSize = 9;  // "lnkfile.1" needs 10 bytes with its terminator
    EXPECT_FALSE(Brim::GetProgId(kClassId, m_szOut, &m_nSize, false, m_Registry));
    EXPECT_STREQ(m_szOut, "");
    EXPECT_EQ(m_nSize, 10u);
    EXPECT_TRUE(Brim::GetProgId(kClassId, m_szOut, &m_nSize, false, m_Registry));
    EXPECT_STREQ(m_szOut, "lnkfile.1");
}

TEST_F(ClassRegistryTest, MissingKeyFailsWithAnEmptyOut)
{
    EXPECT_FALSE(Brim::GetInprocServer("{unknown}", m_szOut, &m_nSize, m_Registry));
    EXPECT_STREQ(m_szOut, "");
    EXPECT_EQ(m_nSize, sizeof m_szOut);
}

TEST_F(ClassRegistryTest, NullArgumentsAreRefusedBeforeAnyLookup)
{
    EXPECT_FALSE(Brim::GetInprocServer(nullptr, m_szOut, &m_nSize, m_Registry));
    EXPECT_FALSE(Brim::GetInprocServer(kClassId, nullptr, &m_nSize, m_Registry));
    EXPECT_FALSE(Brim::GetProgId(kClassId, m_szOut, nullptr, true, m_Registry));
    EXPECT_TRUE(m_Registry.m_Asked.empty());
}

}  // namespace
