// Two counts of a project compared: files paired by name, each pair's status and counts, and
// the sums by group, a file whose language changed leaving one group for another.
#include "results/CountDiff.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "results/CountJson.h"
#include "results/JsonCsv.h"
#include "tests/support/TempFolder.h"

using namespace lintally::results;
using namespace lintally::scan;
using lintally::testing::TempFolder;

namespace {

RowList Names(std::initializer_list<const char*> names)
{
    RowList rows;
    for (const char* name : names) {
        rows.Add(name, 0, {}, 0);
    }
    return rows;
}

// The pairs as "before|after" names, "-" for the side a file is missing from.
std::string Paired(const RowList& before, const RowList& after)
{
    std::string text;
    for (const FilePair& pair : PairFiles(before, after)) {
        text += pair.before == FilePair::kNone ? "-" : std::string(before[pair.before].name);
        text += '|';
        text += pair.after == FilePair::kNone ? "-" : std::string(after[pair.after].name);
        text += ' ';
    }
    return text;
}

std::string Describe(const DiffRow& row)
{
    std::ostringstream text;
    text << row.name << ": files " << row.before.files << ">" << row.after.files << " code "
         << row.before.code << ">" << row.after.code << " comment " << row.before.comment << ">"
         << row.after.comment << " counted " << row.before.counted << ">" << row.after.counted
         << " +" << row.filesAdded << " -" << row.filesRemoved << " ~" << row.filesChanged
         << " lines +" << row.code.added << " -" << row.code.removed;
    return text.str();
}

}  // namespace

TEST(PairFiles, PairsEqualNamesAndKeepsListOrder)
{
    const struct
    {
        RowList before;
        RowList after;
        const char* pairs;
    } cases[] = {
        {Names({}), Names({}), ""},
        {Names({"a.c"}), Names({}), "a.c|- "},
        {Names({}), Names({"a.c"}), "-|a.c "},
        {Names({"a.c", "b.c", "d.c"}), Names({"b.c", "c.c", "d.c", "e.c"}),
         "a.c|- b.c|b.c -|c.c d.c|d.c -|e.c "},
        {Names({"B.c"}), Names({"b.c"}), "B.c|- -|b.c "},  // names only alike when folded
        {Names({"a.c", "a/b.c"}), Names({"a/b.c"}), "a.c|- a/b.c|a/b.c "},
        {Names({"z.c", "\xFF.c"}), Names({"\xFF.c"}), "z.c|- \xFF.c|\xFF.c "},  // bytes unsigned
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Paired(c.before, c.after), c.pairs);
    }
}

TEST(CountDiff, EachPairHasItsStatusCountsAndLineChanges)
{
    const CountSide before{
        {{"a.c", 3, {1, 0, 2}, 0}, {"b.c", 2, {0, 0, 2}, 0}, {"gone.c", 4, {0, 1, 3}, 0}}, {"C"}};
    const CountSide after{{{"a.c", 3, {0, 1, 2}, 0},  // as many lines, of other kinds
                           {"b.c", 2, {0, 0, 2}, 0},
                           {"new.c", 5, {0, 0, 5}, 0}},
                          {"C"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const std::vector<LineChanges> changes = {{1, 2}, {0, 0}, {7, 7}, {7, 7}};
    const CountDiff diff{before, after, pairs, &changes};
    const std::vector<std::pair<FileStatus, const char*>> expected = {
        {FileStatus::Changed,
         "a.c: files 1>1 code 2>2 comment 0>1 counted 3>3 +0 -0 ~1 lines +1 -2"},
        {FileStatus::Same, "b.c: files 1>1 code 2>2 comment 0>0 counted 2>2 +0 -0 ~0 lines +0 -0"},
        {FileStatus::Removed,
         "gone.c: files 1>0 code 3>0 comment 1>0 counted 4>0 +0 -1 ~0 lines +0 -3"},
        {FileStatus::Added,
         "new.c: files 0>1 code 0>5 comment 0>0 counted 0>5 +1 -0 ~0 lines +5 -0"},
    };
    ASSERT_EQ(pairs.size(), expected.size());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        EXPECT_EQ(diff.StatusOf(pairs[i]), expected[i].first) << i;
        EXPECT_EQ(Describe(diff.FileRow(i)), expected[i].second);
    }
}

// A file kept under its name whose language changed leaves its old language's group and joins
// the new one's; each side reads its own language table.
TEST(CountDiff, GroupRowsMoveAFileWhoseLanguageChanged)
{
    const CountSide before{{{"a.c", 2, {0, 0, 2}, 0},  // C
                            {"b.c", 1, {0, 0, 1}, 0},
                            {"run", 3, {0, 1, 2}, 1}},  // Shell
                           {"C", "Shell"}};
    const CountSide after{{{"a.c", 2, {0, 0, 2}, 1},     // C
                           {"new.sh", 4, {0, 0, 4}, 0},  // Shell
                           {"run", 3, {0, 0, 3}, 2}},    // Python
                          {"Shell", "C", "Python"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const std::vector<LineChanges> changes = {{0, 0}, {0, 0}, {0, 0}, {3, 2}};
    const CountDiff diff{before, after, pairs, &changes};
    DiffRow total;
    std::vector<std::string> groups;
    for (const DiffRow& row : diff.GroupRows(Grouping{}, total)) {
        groups.push_back(Describe(row));
    }
    EXPECT_EQ(groups, (std::vector<std::string>{
                          "C: files 2>1 code 3>2 comment 0>0 counted 3>2 +0 -1 ~0 lines +0 -1",
                          "Python: files 0>1 code 0>3 comment 0>0 counted 0>3 +1 -0 ~0 lines +3 -0",
                          "Shell: files 1>1 code 2>4 comment 1>0 counted 3>4 +1 -1 ~0 lines +4 -2",
                      }));
    total.name = "Total";
    EXPECT_EQ(Describe(total),
              "Total: files 3>3 code 5>9 comment 1>0 counted 6>9 +1 -1 ~1 lines +7 -3");
}

// A saved count keeps the bytes of a name that is not UTF-8, so each file pairs with its own
// row; a count saved before it did (U+FFFD for each bad byte, no "name_bytes") still pairs
// once the folder's names are made as that count made them.
TEST(CountDiff, ANameThatIsNotUtf8PairsWithItsSavedRow)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const std::string emoji = "\xF0\x9F\x98\x80.c";
    RowList folder{{"a.c", 1, {0, 0, 1}, 1},
                   {emoji, 1, {0, 0, 1}, 1},
                   {"\xFF\xFE.c", 1, {0, 0, 1}, 1},
                   {"\xFE\xFF.c", 1, {0, 0, 1}, 1}};
    PutInListOrder(folder);
    const TempFolder files;
    CountJson saved;
    std::string error;
    ASSERT_TRUE(
        ReadCountJson(files.Write("count.json", FormatJson("root", folder, 4)), saved, error))
        << error;
    PutInListOrder(saved.rows);
    EXPECT_TRUE(saved.inexactNames.empty());
    NameAsSaved(folder, saved.inexactNames);
    EXPECT_EQ(Paired(saved.rows, folder),
              "a.c|a.c " + emoji + "|" + emoji + " \xFE\xFF.c|\xFE\xFF.c \xFF\xFE.c|\xFF\xFE.c ");

    const auto row = [](const std::string& name) {
        return "{\"name\": " + name +
               ", \"lines\": 1, \"language\": \"C\", \"code\": 0, \"comment\": 0, \"blank\": 1}";
    };
    const std::string legacy = "{\"files\": [" + row(R"("a.c", "name_bytes": "612e63")") + ", " +
                               row(R"("\ufffd\ufffd.c")") + ", " + row(R"("\ud83d\ude00.c")") +
                               "]}";
    ASSERT_TRUE(ReadCountJson(files.Write("old.json", legacy), saved, error)) << error;
    PutInListOrder(saved.rows);
    EXPECT_EQ(saved.inexactNames, std::vector<std::string>{fffd + fffd + ".c"});
    RowList one{
        {"a.c", 1, {0, 0, 1}, 1}, {"\xFF\xFE.c", 1, {0, 0, 1}, 1}, {emoji, 1, {0, 0, 1}, 1}};
    NameAsSaved(one, saved.inexactNames);
    EXPECT_EQ(Paired(saved.rows, one),
              "a.c|a.c " + fffd + fffd + ".c|" + fffd + fffd + ".c " + emoji + "|" + emoji + " ");
}
