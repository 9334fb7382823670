#include "results/JsonCsv.h"

#include <algorithm>

#include "fileio/MessageText.h"
#include "fileio/Utf8Text.h"
#include "linecount/WideLanguages.h"
#include "results/NameBytes.h"

namespace lintally::results {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// ",code,comment,blank,physical" of kinds, as JSON members or CSV fields.
void AppendKinds(std::string& out, const PrjHelper::LineBreakdown& kinds, bool json)
{
    const std::pair<const char*, std::uint64_t> fields[] = {{"code", kinds.code},
                                                            {"comment", kinds.comment},
                                                            {"blank", kinds.blank},
                                                            {"physical", kinds.Physical()}};
    for (const auto& [name, value] : fields) {
        if (json) {
            out.append(", \"").append(name).append("\": ");
        } else {
            out.push_back(',');
        }
        out.append(std::to_string(value));
    }
}

// ", \"complexity\": n" when the count took complexity.
void AppendComplexity(std::string& out, bool shown, std::uint64_t complexity)
{
    if (shown) {
        out.append(", \"complexity\": ").append(std::to_string(complexity));
    }
}

// A file's ", \"embedded\": [...]" when it holds code of other languages.
void AppendEmbedded(std::string& out, const scan::RowView& row, bool complexity)
{
    if (row.embedded.empty()) {
        return;
    }
    out.append(", \"embedded\": [");
    for (std::size_t i = 0; i < row.embedded.size(); ++i) {
        const PrjHelper::EmbeddedPart& part = row.embedded[i];
        out.append(i == 0 ? "{\"language\": " : ", {\"language\": ")
            .append(JsonText(PrjHelper::GetAnyLanguageName(part.lang)));
        AppendKinds(out, part.kinds, true);
        AppendComplexity(out, complexity, part.complexity);
        out.append("}");
    }
    out.append("]");
}

}  // namespace

void AppendSettingsJson(std::string& out, const scan::CountSettings& settings)
{
    const char* separator = "{";
    for (const scan::SettingValue& option : settings.Values()) {
        out.append(separator).append(JsonText(option.key)).append(": ");
        out.append(option.isFlag ? (option.flag ? "true" : "false") : JsonText(option.text));
        separator = ", ";
    }
    out.append("}");
}

namespace {

void AppendSummary(std::string& out, const JsonSummary& summary)
{
    out.append(", \"roots\": [");
    for (std::size_t i = 0; i < summary.roots.size(); ++i) {
        out.append(i == 0 ? "" : ", ").append(JsonText(summary.roots[i]));
    }
    out.append("], \"options\": ");
    AppendSettingsJson(out, summary.settings);
    out.append(", \"by\": ").append(JsonText(summary.by));
    if (!summary.revision.empty()) {
        out.append(", \"revision\": {\"name\": ").append(JsonText(summary.revision));
        out.append(", \"commit\": ").append(JsonText(summary.commit)).append("}");
    }
    if (summary.groups == nullptr) {
        return;
    }
    out.append(", \"groups\": [");
    for (std::size_t i = 0; i < summary.groups->size(); ++i) {
        const scan::GroupRow& group = (*summary.groups)[i];
        out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(group.name));
        out.append(", \"files\": ").append(std::to_string(group.files));
        out.append(", \"lines\": ").append(std::to_string(group.lines));
        AppendKinds(out, group.kinds, true);
        AppendComplexity(out, summary.settings.complexity, group.complexity);
        out.append("}");
    }
    out.append("]");
}

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

}  // namespace

std::string JsonText(std::string_view text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (plain) {
        std::string quoted;
        quoted.reserve(text.size() + 2);
        return quoted.append(1, '"').append(text).append(1, '"');
    }
    std::string quoted = "\"";
    const std::string valid = ToValidUtf8(text);
    std::size_t i = 0;
    while (i < valid.size()) {
        const std::size_t length = Brim::Utf8SequenceLength(valid, i);
        const char32_t point = Brim::Utf8CodePoint(valid, i, length);
        if (point == '"' || point == '\\') {
            quoted.append(1, '\\').append(1, static_cast<char>(point));
        } else if (point == '\n') {
            quoted.append("\\n");
        } else if (point == '\r') {
            quoted.append("\\r");
        } else if (point == '\t') {
            quoted.append("\\t");
        } else if (point < 0x20 || point == 0x7F || Brim::IsHiddenControl(point)) {
            Brim::AppendUnicodeEscape(quoted, point);
        } else {
            quoted.append(valid, i, length);
        }
        i += length;
    }
    return quoted.append(1, '"');
}

void AppendCsvField(std::string& out, std::string_view text)
{
    const std::string field = Brim::EscapeControlBytes(text, Brim::LineBreaks::Keep);
    if (!NeedsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (const char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

std::string ToValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = Brim::Utf8SequenceLength(bytes, i);
        if (length == 0) {
            out.append(kReplacement);
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

namespace {

void AppendSkipped(std::string& out, const scan::SkipCounts& counts,
                   const std::vector<scan::SkippedFolder>& folders)
{
    out.append(", \"skipped\": {");
    for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
        out.append("\"").append(name.key).append("\": ");
        out.append(std::to_string(counts.Of(name.reason))).append(", ");
    }
    out.append("\"folders\": [");
    for (std::size_t i = 0; i < folders.size(); ++i) {
        out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(folders[i].name));
        out.append(", \"reason\": ").append(JsonText(folders[i].reason)).append("}");
    }
    out.append("]}");
}

}  // namespace

void WriteJson(TextOut& text, std::string_view root, const scan::RowList& rows, std::uint64_t total,
               const std::vector<scan::SkippedFolder>& skipped, const JsonSummary* summary,
               const scan::SkipCounts& counts)
{
    // Written row by row (the library only quotes the texts), so a large result costs
    // neither a document tree nor the whole text at once.
    std::string& out = text.Text();
    const bool complexity = summary != nullptr && summary->settings.complexity;
    out.append("{\"root\": ")
        .append(JsonText(root))
        .append(", \"total\": ")
        .append(std::to_string(total));
    if (summary != nullptr) {
        out.append(", \"totals\": {\"files\": ").append(std::to_string(summary->files));
        AppendKinds(out, summary->kinds, true);
        out.append(", \"counted\": ").append(std::to_string(total));
        AppendComplexity(out, complexity, summary->complexity);
        out.append("}");
    }
    if (summary == nullptr || summary->groups == nullptr) {
        out.append(", \"files\": [");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const scan::RowView row = rows[i];
            out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(row.name));
            AppendNameBytes(out, row.name);
            out.append(", \"lines\": ").append(std::to_string(row.lines));
            out.append(", \"language\": ")
                .append(JsonText(PrjHelper::GetAnyLanguageName(row.lang)));
            AppendKinds(out, row.kinds, true);
            AppendComplexity(out, complexity, row.complexity);
            AppendEmbedded(out, row, complexity);
            out.append("}");
            text.RowDone();
        }
        out.append("]");
    }
    if (counts.Any() || !skipped.empty()) {
        AppendSkipped(out, counts, skipped);
    }
    if (summary != nullptr) {
        AppendSummary(out, *summary);
        if (summary->cost != nullptr) {
            AppendCostJson(out, *summary->cost);
        }
    }
    out.append("}\n");
}

std::string FormatJson(std::string_view root, const scan::RowList& rows, std::uint64_t total,
                       const std::vector<scan::SkippedFolder>& skipped, const JsonSummary* summary,
                       const scan::SkipCounts& counts)
{
    TextOut text;
    WriteJson(text, root, rows, total, skipped, summary, counts);
    return text.Take();
}

namespace {

// One CSV line of a file's lines in one language.
void AppendCsvLine(std::string& out, std::string_view name, std::uint64_t lines, std::int32_t lang,
                   const PrjHelper::LineBreakdown& kinds, const std::uint64_t* complexity)
{
    AppendCsvField(out, name);
    out.append(",").append(std::to_string(lines)).append(",");
    AppendCsvField(out, PrjHelper::GetAnyLanguageName(lang));
    AppendKinds(out, kinds, false);
    if (complexity != nullptr) {
        out.append(",").append(std::to_string(*complexity));
    }
    out.append("\n");
}

}  // namespace

void WriteCsv(TextOut& text, const scan::RowList& rows, const scan::CountSettings& settings)
{
    std::string& out = text.Text();
    const bool complexity = settings.complexity;
    const std::uint32_t flags = settings.CountFlags();
    out.append("file,lines,language,code,comment,blank,physical")
        .append(complexity ? ",complexity\n" : "\n");
    for (const scan::RowView row : rows) {
        AppendCsvLine(out, row.name, row.lines, row.lang, row.kinds,
                      complexity ? &row.complexity : nullptr);
        for (const PrjHelper::EmbeddedPart& part : row.embedded) {
            AppendCsvLine(out, row.name, part.kinds.Counted(flags), part.lang, part.kinds,
                          complexity ? &part.complexity : nullptr);
        }
        text.RowDone();
    }
}

std::string FormatCsv(const scan::RowList& rows, const scan::CountSettings& settings)
{
    TextOut text;
    WriteCsv(text, rows, settings);
    return text.Take();
}

std::string FormatGroupCsv(std::string_view nameColumn, const std::vector<scan::GroupRow>& groups,
                           bool complexity)
{
    std::string out;
    AppendCsvField(out, nameColumn);
    out.append(",files,lines,code,comment,blank,physical")
        .append(complexity ? ",complexity\n" : "\n");
    for (const scan::GroupRow& group : groups) {
        AppendCsvField(out, group.name);
        out.append(",").append(std::to_string(group.files));
        out.append(",").append(std::to_string(group.lines));
        AppendKinds(out, group.kinds, false);
        if (complexity) {
            out.append(",").append(std::to_string(group.complexity));
        }
        out.append("\n");
    }
    return out;
}

}  // namespace lintally::results
