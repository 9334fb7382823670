#include "sysutil/ClassRegistry.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(PlatformClassRegistry, FindsNothingAndLeavesAnEmptyOut)
{
    const char* classId = "{00021401-0000-0000-C000-000000000046}";
    char out[64] = "stale";
    std::uint32_t size = sizeof out;
    EXPECT_FALSE(Brim::GetInprocServer(classId, out, &size));
    EXPECT_STREQ(out, "");
    std::strcpy(out, "stale");
    EXPECT_FALSE(Brim::GetProgId(classId, out, &size, true));
    EXPECT_STREQ(out, "");
}

}  // namespace
