#include "sysutil/ClassRegistry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <objbase.h>

#include <cctype>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr const char* kServer = "C:\\Program Files\\Lintally\\probe.dll";

// A fresh class id for each test, so that tests running side by side never share a key.
std::string NewClassId()
{
    GUID guid{};
    wchar_t text[40] = {};
    if (FAILED(CoCreateGuid(&guid)) || StringFromGUID2(guid, text, 40) == 0) {
        return {};
    }
    return std::string(text, text + wcslen(text));
}

std::string ClassKey(const std::string& classId)
{
    return "Software\\Classes\\CLSID\\" + classId;
}

// Sets the default value of a subkey of the test class, as the given registry type, storing
// the terminator only when asked to.
bool WriteDefault(const std::string& classId, const char* subkey, const char* value,
                  DWORD type = REG_SZ, bool terminated = true)
{
    const std::string path = ClassKey(classId) + "\\" + subkey;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const DWORD size = static_cast<DWORD>(std::strlen(value) + (terminated ? 1 : 0));
    const LONG result =
        RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Registers a test class for the current user for one test and deletes it afterwards.
class ClassRegistryWin32Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strClassId = NewClassId();
        ASSERT_FALSE(m_strClassId.empty());
        ASSERT_TRUE(WriteDefault(m_strClassId, "InprocServer32", kServer));
        ASSERT_TRUE(WriteDefault(m_strClassId, "ProgID", "Lintally.Probe.1"));
        ASSERT_TRUE(WriteDefault(m_strClassId, "VersionIndependentProgID", "Lintally.Probe"));
    }
    void TearDown() override
    {
        if (!m_strClassId.empty()) {
            RegDeleteTreeA(HKEY_CURRENT_USER, ClassKey(m_strClassId).c_str());
        }
    }

    std::string m_strClassId;
    char m_szOut[128] = "stale";
    std::uint32_t m_nSize = sizeof m_szOut;
};

TEST_F(ClassRegistryWin32Test, UserClassIsFoundUnderTheClassesRoot)
{
    ASSERT_TRUE(Brim::GetInprocServer(m_strClassId.c_str(), m_szOut, &m_nSize));
    EXPECT_STREQ(m_szOut, kServer);
    EXPECT_EQ(m_nSize, std::strlen(kServer) + 1);
    m_nSize = sizeof m_szOut;
    ASSERT_TRUE(Brim::GetProgId(m_strClassId.c_str(), m_szOut, &m_nSize, false));
    EXPECT_STREQ(m_szOut, "Lintally.Probe.1");
    m_nSize = sizeof m_szOut;
    ASSERT_TRUE(Brim::GetProgId(m_strClassId.c_str(), m_szOut, &m_nSize, true));
    EXPECT_STREQ(m_szOut, "Lintally.Probe");
    EXPECT_EQ(m_nSize, sizeof "Lintally.Probe");
}

TEST_F(ClassRegistryWin32Test, TooSmallBufferFailsAndAsksForTheSizeNeeded)
{
    m_nSize = 8;
    EXPECT_FALSE(Brim::GetInprocServer(m_strClassId.c_str(), m_szOut, &m_nSize));
    EXPECT_STREQ(m_szOut, "");
    EXPECT_EQ(m_nSize, std::strlen(kServer) + 1);
}

TEST_F(ClassRegistryWin32Test, ValueStoredWithoutTerminatorIsReadWhole)
{
    ASSERT_TRUE(WriteDefault(m_strClassId, "ProgID", "Lintally.Probe.2", REG_SZ, false));
    ASSERT_TRUE(Brim::GetProgId(m_strClassId.c_str(), m_szOut, &m_nSize, false));
    EXPECT_STREQ(m_szOut, "Lintally.Probe.2");
    EXPECT_EQ(m_nSize, sizeof "Lintally.Probe.2");
}

TEST_F(ClassRegistryWin32Test, ValueThatIsNotTextIsNotRead)
{
    ASSERT_TRUE(WriteDefault(m_strClassId, "ProgID", "\x01\x02\x03", REG_BINARY));
    EXPECT_FALSE(Brim::GetProgId(m_strClassId.c_str(), m_szOut, &m_nSize, false));
    EXPECT_STREQ(m_szOut, "");
}

TEST_F(ClassRegistryWin32Test, DeletedClassIsNotFound)
{
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, ClassKey(m_strClassId).c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(Brim::GetInprocServer(m_strClassId.c_str(), m_szOut, &m_nSize));
    EXPECT_STREQ(m_szOut, "");
    EXPECT_EQ(m_nSize, sizeof m_szOut);
}

TEST(PlatformClassRegistry, FindsTheSystemShellLinkServer)
{
    char out[MAX_PATH] = {};
    std::uint32_t size = sizeof out;
    ASSERT_TRUE(Brim::GetInprocServer("{00021401-0000-0000-C000-000000000046}", out, &size));
    std::string server(out);
    for (char& c : server) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    ASSERT_GT(server.size(), 4u);
    EXPECT_EQ(server.substr(server.size() - 4), ".dll");
    EXPECT_EQ(size, server.size() + 1);
}

}  // namespace
