#include "linecount/HashDiff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace PrjHelper;

namespace {

constexpr std::uint64_t kNoLimit = ~std::uint64_t{0};

// Each byte of text stands for a line's hash.
std::vector<std::uint64_t> Lines(const std::string& text)
{
    return {text.begin(), text.end()};
}

LineEdits Edits(const std::string& before, const std::string& after,
                std::uint64_t workLimit = kNoLimit)
{
    std::vector<std::uint64_t> old = Lines(before);
    std::vector<std::uint64_t> now = Lines(after);
    LineEdits edits;
    EXPECT_EQ(CountLineEdits(old, now, workLimit, edits), DiffEnd::Done) << before << " " << after;
    return edits;
}

// The longest common subsequence by the textbook table.
std::size_t Common(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> table(a.size() + 1,
                                                std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t k = 1; k <= b.size(); ++k) {
            table[i][k] = a[i - 1] == b[k - 1] ? table[i - 1][k - 1] + 1
                                               : std::max(table[i - 1][k], table[i][k - 1]);
        }
    }
    return table[a.size()][b.size()];
}

}  // namespace

TEST(HashDiff, CountsTheLinesAMinimalDiffAddsAndRemoves)
{
    const struct
    {
        const char* before;
        const char* after;
        std::uint64_t added;
        std::uint64_t removed;
    } cases[] = {
        {"", "", 0, 0},       {"abc", "abc", 0, 0},        {"", "abc", 3, 0},
        {"abc", "", 0, 3},    {"abc", "axc", 1, 1},        {"abc", "abxc", 1, 0},
        {"abcd", "ad", 0, 2}, {"abcabba", "cbabac", 2, 3}, {"abc", "xyz", 3, 3},
        {"aaaa", "aa", 0, 2}, {"abab", "baba", 1, 1},      {"xaaay", "zaaaw", 2, 2},
    };
    for (const auto& c : cases) {
        const LineEdits edits = Edits(c.before, c.after);
        EXPECT_EQ(edits.added, c.added) << c.before << " -> " << c.after;
        EXPECT_EQ(edits.removed, c.removed) << c.before << " -> " << c.after;
    }
}

// Random texts over few line kinds, so most lines match somewhere: the counts are those of
// the longest common subsequence.
TEST(HashDiff, AgreesWithTheLongestCommonSubsequence)
{
    std::mt19937 random(26);
    for (int round = 0; round < 300; ++round) {
        std::string texts[2];
        for (std::string& text : texts) {
            const std::size_t size = random() % 40;
            const char kinds = static_cast<char>('a' + 1 + random() % 5);
            for (std::size_t i = 0; i < size; ++i) {
                text.push_back(
                    static_cast<char>('a' + random() % static_cast<unsigned>(kinds - 'a')));
            }
        }
        const std::size_t common = Common(texts[0], texts[1]);
        const LineEdits edits = Edits(texts[0], texts[1]);
        EXPECT_EQ(edits.added, texts[1].size() - common) << texts[0] << " -> " << texts[1];
        EXPECT_EQ(edits.removed, texts[0].size() - common) << texts[0] << " -> " << texts[1];
    }
}

// Texts that share only lines in a different order need a long search: past the work limit
// it gives up, and it stops when asked to.
TEST(HashDiff, GivesUpPastTheWorkLimitOrWhenAskedTo)
{
    std::string before;
    std::string after;
    for (int i = 0; i < 2000; ++i) {
        before += "ab";
        after += "ba";
    }
    before += "c";
    after += "d";
    EXPECT_EQ(Edits(before, after, 1u << 20).added, 2u);
    std::vector<std::uint64_t> old = Lines(std::string(2000, 'a') + std::string(2000, 'b'));
    std::vector<std::uint64_t> now = Lines(std::string(2000, 'b') + std::string(2000, 'a'));
    LineEdits edits;
    EXPECT_EQ(CountLineEdits(old, now, 100000, edits), DiffEnd::TooCostly);
    old = Lines(std::string(2000, 'a') + std::string(2000, 'b'));
    now = Lines(std::string(2000, 'b') + std::string(2000, 'a'));
    EXPECT_EQ(CountLineEdits(old, now, kNoLimit, edits, [] { return false; }), DiffEnd::Stopped);
}
