#include "results/CountSql.h"

#include "fileio/MessageText.h"
#include "fileio/Utf8Text.h"
#include "linecount/WideLanguages.h"
#include "results/JsonCsv.h"
#include "results/NameBytes.h"

namespace lintally::results {

namespace {

constexpr std::string_view kNumbers =
    "lines INTEGER NOT NULL, code INTEGER NOT NULL, comment INTEGER NOT NULL, "
    "blank INTEGER NOT NULL, physical INTEGER NOT NULL";

// ", lines, code, comment, blank, physical);\n".
void EndInsert(std::string& out, std::uint64_t lines, const PrjHelper::LineBreakdown& kinds)
{
    for (const std::uint64_t value : {lines, kinds.code, kinds.comment, kinds.blank}) {
        out.append(", ").append(std::to_string(value));
    }
    out.append(", ").append(std::to_string(kinds.Physical())).append(");\n");
}

void Begin(std::string& out, std::string_view table, std::string_view columns)
{
    out.append("BEGIN TRANSACTION;\nCREATE TABLE IF NOT EXISTS ").append(table).append(" (");
    out.append(columns).append(kNumbers).append(");\n");
}

}  // namespace

std::string SqlText(std::string_view text)
{
    const std::string valid = ToValidUtf8(text);
    std::string out = "'";
    bool open = true;  // a quoted literal is being written
    std::size_t i = 0;
    while (i < valid.size()) {
        const std::size_t length = Brim::Utf8SequenceLength(valid, i);
        const char32_t point = Brim::Utf8CodePoint(valid, i, length);
        if (point < 0x20 || point == 0x7F || Brim::IsHiddenControl(point)) {
            out.append(open ? "' || char(" : " || char(").append(std::to_string(point)).append(")");
            open = false;
        } else {
            out.append(open ? "" : " || '").append(point == '\'' ? "''" : valid.substr(i, length));
            open = true;
        }
        i += length;
    }
    return open ? out.append("'") : out;
}

void WriteFilesSql(TextOut& text, std::string_view root, const scan::RowList& rows)
{
    std::string& out = text.Text();
    Begin(out, "lintally_files",
          "root TEXT NOT NULL, name TEXT NOT NULL, name_bytes BLOB, language TEXT NOT NULL, ");
    const std::string rootText = SqlText(root);
    for (const scan::RowView row : rows) {
        out.append("INSERT INTO lintally_files VALUES (").append(rootText).append(", ");
        const std::string hex = NameBytesHex(row.name);
        out.append(SqlText(row.name)).append(hex.empty() ? ", NULL" : ", X'" + hex + "'");
        out.append(", ").append(SqlText(PrjHelper::GetAnyLanguageName(row.lang)));
        EndInsert(out, row.lines, row.kinds);
        text.RowDone();
    }
    out.append("COMMIT;\n");
}

void WriteGroupsSql(TextOut& text, std::string_view root, std::string_view grouping,
                    const std::vector<scan::GroupRow>& groups)
{
    std::string& out = text.Text();
    Begin(out, "lintally_groups",
          "root TEXT NOT NULL, grouping TEXT NOT NULL, name TEXT NOT NULL, "
          "files INTEGER NOT NULL, ");
    const std::string prefix = SqlText(root) + ", " + SqlText(grouping) + ", ";
    for (const scan::GroupRow& group : groups) {
        out.append("INSERT INTO lintally_groups VALUES (").append(prefix);
        out.append(SqlText(group.name)).append(", ").append(std::to_string(group.files));
        EndInsert(out, group.lines, group.kinds);
        text.RowDone();
    }
    out.append("COMMIT;\n");
}

}  // namespace lintally::results
