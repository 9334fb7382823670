#include "scan/CountSettings.h"

#include <gtest/gtest.h>

#include "linecount/WideTally.h"
#include "scan/FileCount.h"

using lintally::scan::CountSettings;
using lintally::scan::FirstDifference;
using lintally::scan::LanguageTable;
using lintally::scan::SettingValue;

TEST(CountSettings, FlagsAndPatternsFollowTheTableAndTheTypes)
{
    CountSettings design;
    design.types = "*.c,*.h";
    design.blockComments = true;
    EXPECT_EQ(design.CountFlags(), lintally::scan::MakeCountFlags(true, false, true));
    EXPECT_EQ(design.Patterns(), (std::vector<std::string>{".c", ".h"}));
    design.types.clear();
    EXPECT_TRUE(design.Patterns().empty());  // the design table with no types counts nothing

    CountSettings wide;
    wide.languages = LanguageTable::Wide;
    wide.types = "*.go";
    EXPECT_EQ(wide.CountFlags(),
              lintally::scan::MakeCountFlags(true, false, false) | PrjHelper::CF_WIDE_TABLE);
    wide.types.clear();
    EXPECT_EQ(wide.Patterns(), std::vector<std::string>{".*"});
    EXPECT_NE(wide.CountFlags() & PrjHelper::CF_KNOWN_ONLY, 0u);
}

TEST(CountSettings, EveryValueSetsBackTheOptionItCameFrom)
{
    CountSettings changed;
    changed.types = "*.py";
    changed.includeSubFolders = false;
    changed.includeRemed = false;
    changed.excludeBlank = true;
    changed.blockComments = true;
    changed.languages = LanguageTable::Wide;
    CountSettings copy;
    for (const SettingValue& value : changed.Values()) {
        EXPECT_TRUE(copy.Set(value)) << value.key;
    }
    EXPECT_EQ(copy, changed);
    EXPECT_EQ(FirstDifference(copy, changed), "");
}

TEST(CountSettings, RefusesUnknownKeysAndValuesOfTheWrongKind)
{
    CountSettings settings;
    const CountSettings before = settings;
    const SettingValue refused[] = {
        {"no_such_option", true, true},
        {"include_remed", false, false, "false"},
        {"types", true, false},
        {"languages", false, false, "narrow"},
    };
    for (const SettingValue& value : refused) {
        EXPECT_FALSE(settings.Set(value)) << value.key;
    }
    EXPECT_EQ(settings, before);
}

TEST(CountSettings, FirstDifferenceNamesTheTableBeforeWhatFollowsFromIt)
{
    CountSettings there;
    CountSettings here;
    here.types.clear();
    here.blockComments = true;
    here.languages = LanguageTable::Wide;
    EXPECT_EQ(FirstDifference(there, here), "languages: \"design\" there, \"wide\" here");
    there.languages = LanguageTable::Wide;
    EXPECT_EQ(FirstDifference(there, here).substr(0, 7), "types: ");
    there.types.clear();
    EXPECT_EQ(FirstDifference(there, here), "block_comments: false there, true here");
    there.blockComments = true;
    EXPECT_EQ(FirstDifference(there, here), "");
}
