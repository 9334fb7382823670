// Writes one page of each kind from made-up data into the folder given (count.html,
// diff.html, history.html), for browser-check to open. The names hold markup, bytes that are
// not UTF-8 and control bytes, as names from a hostile tree may.
#include <cstdio>
#include <fstream>
#include <string>

#include "linecount/WideLanguages.h"
#include "results/CountOutput.h"
#include "results/DiffOutput.h"
#include "results/HistoryHtml.h"

using namespace lintally::results;
using namespace lintally::scan;

namespace {

constexpr const char* kOdd = "</script><!--\x01\xFF";

bool Save(const std::string& path, TextOut& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text.Take();
    return static_cast<bool>(file.flush());
}

RowList SampleFiles(int grow)
{
    const char* const names[] = {"src/core/engine.cpp", "src/core/engine.h", "src/ui/view.cpp",
                                 "src/ui/view.h",       "lib/util.c",        "lib/util.h",
                                 "docs/guide.md",       "tools/build.py",    "tools/run.sh",
                                 "README.md",           "CMakeLists.txt"};
    RowList rows;
    int size = 40;
    for (const char* name : names) {
        size = size * 7 % 97 + 13;
        const std::uint64_t code = static_cast<std::uint64_t>(size * grow);
        rows.Add(name, code + 9, {4, 5, code}, PrjHelper::WideLanguageOfName(name));
    }
    rows.Add(std::string("src/") + kOdd + "/odd.c", 20, {0, 0, 20},
             PrjHelper::WideLanguageOfName("odd.c"));
    SortRows(rows);
    return rows;
}

bool WriteCount(const std::string& folder)
{
    ScanResult result;
    result.rows = SampleFiles(3);
    for (const RowView row : result.rows) {
        ++result.files;
        result.kinds += row.kinds;
    }
    CountOutputOptions options;
    options.format = OutputFormat::Html;
    options.roots = {std::string("project ") + kOdd};
    TextOut text;
    WriteCountOutput(options, result, text);
    return Save(folder + "/count.html", text);
}

bool WriteDiff(const std::string& folder)
{
    const CountSide before{SampleFiles(2), {}};
    const CountSide after{SampleFiles(3), {}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const CountDiff diff{before, after, pairs, nullptr};
    DiffRow total;
    const std::vector<DiffRow> groups = diff.GroupRows(Grouping{}, total);
    DiffSideLabel old;
    old.path = "v1";
    DiffSideLabel now;
    now.path = kOdd;
    const DiffReport report{old, now, diff, groups, total, false, OutputFormat::Html, {}, {}};
    TextOut text;
    lintally::results::WriteDiff(report, text);
    return Save(folder + "/diff.html", text);
}

bool WriteHistory(const std::string& folder)
{
    HistorySeries series;
    series.groups = {"C++",   "C",  "Python", "Shell", "Markdown",
                     "CMake", "Go", "Rust",   "Java",  kOdd};
    for (unsigned month = 1; month <= 12; ++month) {
        HistoryPoint point{
            "2024-" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "-01",
            std::to_string(4096 + month * 977),
            {}};
        for (std::size_t g = 0; g < series.groups.size(); ++g) {
            point.code.push_back((g + 1) * 150 + month * month * (10 - g) * 3);
        }
        series.points.push_back(point);
    }
    TextOut text;
    WriteHistoryHtml(series, "made-up", text);
    return Save(folder + "/history.html", text);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: html_samples FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    return WriteCount(folder) && WriteDiff(folder) && WriteHistory(folder) ? 0 : 1;
}
