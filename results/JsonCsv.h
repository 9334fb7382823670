// The machine-readable forms of a scan's result.
//
// JSON: {"root": ROOT, "total": N, "files": [{"name": ..., "lines": n, "language": ...,
// "code": n, "comment": n, "blank": n, "physical": n}, ...]} in row order ("lines" are those
// that count, "physical" every line; with the summary's settings asking for them, each file,
// group and "totals" also hold "complexity": n, and a file with embedded code "embedded":
// [{"language": ..., "code": n, "comment": n, "blank": n, "physical": n}, ...], lines its own
// counts leave out, which "total" and "totals" include; with a summary, "totals": {"files": n,
// "code": n, "comment": n, "blank": n, "physical": n, "counted": n} follows "total", whose number
// is its "counted"), then, only when something was skipped, "skipped":
// {"excluded": n, "ignored": n, "binary": n, "too_large": n, "unreadable": n, "folders":
// [{"name": ..., "reason": ...}, ...]} (the folders the walk could not read), then the
// summary's keys when one is given; on one
// line followed by LF; names and root are UTF-8, and every byte that is not part of a valid
// UTF-8 sequence becomes U+FFFD (a file's row then also holds its name's bytes: NameBytes.h);
// control characters (C0, DEL, C1) and the bidirectional marks are \u escapes, so no text
// read from it acts on a terminal.
// CSV: a header naming every column, then one line per row; a field holding a comma, a
// double quote, CR or LF is quoted with its quotes doubled; every line ends with LF. Names
// keep their bytes, but for the other control characters and the bidirectional marks,
// escaped as in the table (Brim::EscapeControlBytes keeping line breaks).
//
// Pure functions; any thread may call them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/CostEstimate.h"
#include "results/TextOut.h"
#include "scan/CountSettings.h"
#include "scan/Grouping.h"
#include "scan/RowList.h"
#include "scan/ScanResult.h"

namespace lintally::results {

// What the command line adds to its JSON: "roots" (every root), "options" (the file types,
// empty when every file the language table knows counts, the four counting choices and the
// language table), "by" (the grouping) and, when groups is given, "groups"
// [{"name": ..., "files": n, "lines": n, "code": n, "comment": n, "blank": n,
// "physical": n}, ...] in place of "files".
struct JsonSummary
{
    std::vector<std::string> roots;
    scan::CountSettings settings;
    std::string by;
    const std::vector<scan::GroupRow>* groups = nullptr;
    std::string revision{};  // with --rev: "revision": {"name": ..., "commit": ...} after "by"
    std::string commit{};
    std::uint64_t files = 0;  // the files counted and their lines, for "totals"
    PrjHelper::LineBreakdown kinds{};
    std::uint64_t complexity = 0;        // every file's, for "totals" when settings ask for it
    const CostEstimate* cost = nullptr;  // when given, "cost" last (see CostEstimate.h)
};

// The settings as a JSON object of their options, in the order scan::CountSettings gives them.
void AppendSettingsJson(std::string& out, const scan::CountSettings& settings);

// Valid UTF-8 passes unchanged; each other byte becomes U+FFFD (EF BF BD).
[[nodiscard]] std::string ToValidUtf8(std::string_view bytes);

// A JSON string literal of the text, made valid UTF-8 first, no control character or
// bidirectional mark left raw. Printable ASCII without quote
// or backslash, as most names are, is taken as it is.
[[nodiscard]] std::string JsonText(std::string_view text);

// A CSV field of the text, its control characters but tab, CR and LF escaped: quoted, its
// quotes doubled, when it holds a comma, a double quote, CR or LF.
void AppendCsvField(std::string& out, std::string_view field);

// Writes to text as it goes; FormatJson gives the same text whole.
void WriteJson(TextOut& text, std::string_view root, const scan::RowList& rows, std::uint64_t total,
               const std::vector<scan::SkippedFolder>& skipped = {},
               const JsonSummary* summary = nullptr, const scan::SkipCounts& counts = {});
[[nodiscard]] std::string FormatJson(std::string_view root, const scan::RowList& rows,
                                     std::uint64_t total,
                                     const std::vector<scan::SkippedFolder>& skipped = {},
                                     const JsonSummary* summary = nullptr,
                                     const scan::SkipCounts& counts = {});

// Columns file, lines, language, code, comment, blank, physical, and complexity when the
// settings ask for it. A file with embedded code has one more line per embedded language,
// named as the file, so the columns still add up to the totals.
void WriteCsv(TextOut& text, const scan::RowList& rows, const scan::CountSettings& settings = {});
[[nodiscard]] std::string FormatCsv(const scan::RowList& rows,
                                    const scan::CountSettings& settings = {});

// Columns nameColumn, files, lines, code, comment, blank, physical (and complexity).
[[nodiscard]] std::string FormatGroupCsv(std::string_view nameColumn,
                                         const std::vector<scan::GroupRow>& groups,
                                         bool complexity = false);

}  // namespace lintally::results
