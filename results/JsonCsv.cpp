#include "results/JsonCsv.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "linecount/WideLanguages.h"
#include "results/NameBytes.h"

namespace lintally::results {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence that starts at bytes[i], or 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

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
    return nlohmann::json(ToValidUtf8(text)).dump();
}

void AppendCsvField(std::string& out, std::string_view field)
{
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
        const std::size_t length = ValidSequenceLength(bytes, i);
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
    out.append("{\"root\": ")
        .append(JsonText(root))
        .append(", \"total\": ")
        .append(std::to_string(total));
    if (summary != nullptr) {
        out.append(", \"totals\": {\"files\": ").append(std::to_string(summary->files));
        AppendKinds(out, summary->kinds, true);
        out.append(", \"counted\": ").append(std::to_string(total)).append("}");
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

void WriteCsv(TextOut& text, const scan::RowList& rows)
{
    std::string& out = text.Text();
    out.append("file,lines,language,code,comment,blank,physical\n");
    for (const scan::RowView row : rows) {
        AppendCsvField(out, row.name);
        out.append(",").append(std::to_string(row.lines)).append(",");
        AppendCsvField(out, PrjHelper::GetAnyLanguageName(row.lang));
        AppendKinds(out, row.kinds, false);
        out.append("\n");
        text.RowDone();
    }
}

std::string FormatCsv(const scan::RowList& rows)
{
    TextOut text;
    WriteCsv(text, rows);
    return text.Take();
}

std::string FormatGroupCsv(std::string_view nameColumn, const std::vector<scan::GroupRow>& groups)
{
    std::string out;
    AppendCsvField(out, nameColumn);
    out.append(",files,lines,code,comment,blank,physical\n");
    for (const scan::GroupRow& group : groups) {
        AppendCsvField(out, group.name);
        out.append(",").append(std::to_string(group.files));
        out.append(",").append(std::to_string(group.lines));
        AppendKinds(out, group.kinds, false);
        out.append("\n");
    }
    return out;
}

}  // namespace lintally::results
