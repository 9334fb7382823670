#include "linecount/DetailTally.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "FakeStream.h"
#include "linecount/WideLanguages.h"
#include "tests/support/TempFolder.h"

using namespace PrjHelper;
using lintally::testing::ReadAll;

namespace {

std::string Shown(const EmbeddedPart& part)
{
    return std::string(GetAnyLanguageName(part.lang)) + " code=" + std::to_string(part.kinds.code) +
           " comment=" + std::to_string(part.kinds.comment) +
           " blank=" + std::to_string(part.kinds.blank) +
           " complexity=" + std::to_string(part.complexity);
}

// "HOST ... | LANGUAGE ..." as a golden file's first line states it.
std::string Shown(const DetailTallyResult& got)
{
    std::string shown = Shown(EmbeddedPart{got.host.lang, got.host.kinds, got.complexity});
    for (const EmbeddedPart& part : got.embedded) {
        shown += " | " + Shown(part);
    }
    return shown;
}

DetailTallyResult Tally(const std::string& name, const std::string& text, std::uint32_t flags,
                        std::uint32_t maxRead = UINT32_MAX)
{
    FakeStream stream(text);
    stream.maxRead = maxRead;
    const std::int32_t lang = WideLanguageOfName(name);
    return TallyDetailedLines(stream, lang, lang == 0, flags);
}

std::vector<std::filesystem::directory_entry> GoldenFiles(const char* folder)
{
    std::vector<std::filesystem::directory_entry> files;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(LINTALLY_TEST_DATA) / folder)) {
        if (entry.path().extension() != ".txt") {
            files.push_back(entry);
        }
    }
    return files;
}

constexpr std::uint32_t kEverything = CF_TRACK_BLOCKS | CF_EMBEDDED | CF_COMPLEXITY;

}  // namespace

TEST(EmbeddedGoldenFiles, EveryHostCountsWhatItStatesWhateverTheReads)
{
    int files = 0;
    for (const auto& entry : GoldenFiles("golden-embedded")) {
        const std::string name = entry.path().filename().string();
        const std::string text = ReadAll(entry.path().string());
        const std::size_t at = text.find("lintally-embedded: ") + 19;
        const std::string expected = text.substr(at, text.find(" -->") - at);
        ++files;
        for (std::uint32_t maxRead : {5u, UINT32_MAX}) {
            EXPECT_EQ(Shown(Tally(name, text, kEverything, maxRead)), expected) << name;
        }
    }
    EXPECT_EQ(files, 4);
}

// Without the options, and with them for a file that holds no other language, the kinds are
// those of the one-pass count; with them, the host's and the parts' lines are the file's lines.
TEST(DetailTally, CountsTheLinesOfTheOnePassCount)
{
    for (const char* folder : {"golden-wide", "golden-embedded"}) {
        for (const auto& entry : GoldenFiles(folder)) {
            const std::string name = entry.path().filename().string();
            const std::string text = ReadAll(entry.path().string());
            for (const std::uint32_t blocks : {0u, CF_TRACK_BLOCKS}) {
                FakeStream stream(text);
                const std::int32_t lang = WideLanguageOfName(name);
                const WideTallyResult plain = TallyWideLines(stream, lang, lang == 0, blocks);
                const DetailTallyResult bare = Tally(name, text, blocks);
                EXPECT_EQ(bare.host.kinds, plain.kinds) << name;
                EXPECT_EQ(bare.host.lang, plain.lang) << name;
                EXPECT_TRUE(bare.embedded.empty()) << name;
                const DetailTallyResult all =
                    Tally(name, text, blocks | CF_EMBEDDED | CF_COMPLEXITY);
                std::uint64_t physical = all.host.kinds.Physical();
                for (const EmbeddedPart& part : all.embedded) {
                    physical += part.kinds.Physical();
                }
                EXPECT_EQ(physical, plain.kinds.Physical()) << name;
                if (all.embedded.empty()) {
                    EXPECT_EQ(all.host.kinds, plain.kinds) << name;
                }
            }
        }
    }
}
