// The printers of a history (see HistoryRows.h):
// - table: one line per commit: its date, short id, files and code lines, then the code
//   lines of the leading groups (those with the most code in any commit) and of the others;
//   as Markdown, the same cells as a GitHub-flavoured table;
// - CSV, in long form: commit,date,group,files,code,comment,blank,physical,counted, one line
//   per commit and group, no total lines;
// - JSON: {"root", "revision": {"name", "commit"}, "by", "options", "complete", "commits":
//   [{"commit", "date", "files", "code", "comment", "blank", "physical", "counted"}],
//   "rows": [the CSV's lines as objects]}, on one line followed by LF;
// - HTML: a page of code by group over time (HistoryHtml.h), oldest commit first.
//
// Pure functions; any thread may call them.
#pragma once

#include "results/HistoryHtml.h"
#include "results/HistoryRows.h"
#include "results/OutputFormat.h"
#include "results/TextOut.h"

namespace lintally::results {

// How many groups the table shows a column of.
inline constexpr std::size_t kHistoryLeadingGroups = 4;

void WriteHistoryTable(const HistoryRows& history, TextOut& text);
void WriteHistoryMarkdown(const HistoryRows& history, TextOut& text);
void WriteHistoryCsv(const HistoryRows& history, TextOut& text);
void WriteHistoryJson(const HistoryRows& history, TextOut& text);

// The code of each group at each commit (its day and short id), oldest commit first, as the
// page draws it.
[[nodiscard]] HistorySeries HistoryAsSeries(const HistoryRows& history);

// The printer of format (table, Markdown, JSON, CSV or HTML).
void WriteHistoryOutput(OutputFormat format, const HistoryRows& history, TextOut& text);

}  // namespace lintally::results
