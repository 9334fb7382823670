#include "linecount/SrcCounter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace PrjHelper;

namespace {

struct Expectation
{
    std::string key;
    std::uint32_t flags;
    std::uint32_t count;
};

// Turns "remed+blank" into its option bits; false for an unknown name.
bool FlagsOfKey(const std::string& key, std::uint32_t& flags)
{
    flags = 0;
    if (key == "plain")
        return true;
    std::stringstream parts(key);
    std::string name;
    while (std::getline(parts, name, '+')) {
        if (name == "remed")
            flags |= CF_COUNT_REMED;
        else if (name == "blank")
            flags |= CF_COUNT_BLANK;
        else if (name == "blocks")
            flags |= CF_TRACK_BLOCKS;
        else
            return false;
    }
    return true;
}

// Reads the "lintally: key=N ..." header of a golden file's first line.
std::vector<Expectation> ReadHeader(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string first;
    std::getline(in, first);
    std::vector<Expectation> expected;
    const std::size_t at = first.find("lintally:");
    if (at == std::string::npos)
        return expected;
    std::stringstream fields(first.substr(at + 9));
    std::string field;
    while (fields >> field) {
        const std::size_t eq = field.find('=');
        Expectation e{field.substr(0, eq), 0, 0};
        EXPECT_NE(eq, std::string::npos) << file << ": " << field;
        EXPECT_TRUE(FlagsOfKey(e.key, e.flags)) << file << ": " << field;
        if (eq != std::string::npos)
            e.count = static_cast<std::uint32_t>(std::stoul(field.substr(eq + 1)));
        expected.push_back(e);
    }
    return expected;
}

}  // namespace

TEST(GoldenFiles, EveryFileCountsWhatItsFirstLineStates)
{
    const std::filesystem::path folder = std::filesystem::path(LINTALLY_TEST_DATA) / "golden";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name == "README.md" || name[0] == '.')
            continue;
        ++files;
        const std::vector<Expectation> expected = ReadHeader(entry.path());
        EXPECT_FALSE(expected.empty()) << name << " has no counts on its first line";
        for (const Expectation& e : expected) {
            CSrcCounter counter;
            ASSERT_TRUE(counter.Open(entry.path().string().c_str())) << name;
            counter.m_dwFlags = e.flags;
            counter.m_Reader.Run();
            EXPECT_EQ(counter.m_nCount, e.count) << name << " with " << e.key;
        }
    }
    EXPECT_GE(files, 10);
}
