#include "scan/JsonCsv.h"

#include <nlohmann/json.hpp>

#include "linecount/WideLanguages.h"

namespace lintally::scan {

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

// A JSON string literal of the text, made valid UTF-8 first.
std::string JsonText(std::string_view text)
{
    return nlohmann::json(ToValidUtf8(text)).dump();
}

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
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

// ",code,comment,blank,physical" of kinds, as JSON members or CSV fields.
void AppendKinds(std::string& out, const PrjHelper::LineBreakdown& kinds, bool json)
{
    const std::pair<const char*, std::uint64_t> fields[] = {
        {"code", kinds.code}, {"comment", kinds.comment}, {"blank", kinds.blank}, {"physical", kinds.Physical()}};
    for (const auto& [name, value] : fields) {
        if (json) {
            out.append(", \"").append(name).append("\": ");
        } else {
            out.push_back(',');
        }
        out.append(std::to_string(value));
    }
}

void AppendSummary(std::string& out, const JsonSummary& summary)
{
    out.append(", \"roots\": [");
    for (std::size_t i = 0; i < summary.roots.size(); ++i) {
        out.append(i == 0 ? "" : ", ").append(JsonText(summary.roots[i]));
    }
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    out.append("], \"options\": {\"types\": ").append(JsonText(summary.types));
    out.append(", \"include_sub_folders\": ").append(flag(summary.includeSubFolders));
    out.append(", \"include_remed\": ").append(flag(summary.includeRemed));
    out.append(", \"exclude_blank\": ").append(flag(summary.excludeBlank));
    out.append(", \"block_comments\": ").append(flag(summary.trackBlocks));
    out.append(", \"languages\": ").append(JsonText(summary.languages));
    out.append("}, \"by\": ").append(JsonText(summary.by));
    if (summary.groups == nullptr) {
        return;
    }
    out.append(", \"groups\": [");
    for (std::size_t i = 0; i < summary.groups->size(); ++i) {
        const GroupRow& group = (*summary.groups)[i];
        out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(group.name));
        out.append(", \"files\": ").append(std::to_string(group.files));
        out.append(", \"lines\": ").append(std::to_string(group.lines));
        AppendKinds(out, group.kinds, true);
        out.append("}");
    }
    out.append("]");
}

}  // namespace

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

std::string FormatJson(std::string_view root, const std::vector<Row>& rows, std::uint64_t total,
                       const std::vector<SkippedFolder>& skipped, const JsonSummary* summary)
{
    // Written row by row (the library only quotes the texts), so a large result costs its
    // output and no document tree beside it.
    std::string out = "{\"root\": " + JsonText(root) + ", \"total\": " + std::to_string(total);
    if (summary == nullptr || summary->groups == nullptr) {
        out.append(", \"files\": [");
        for (std::size_t i = 0; i < rows.size(); ++i) {
            out.append(i == 0 ? "{\"name\": " : ", {\"name\": ").append(JsonText(rows[i].name));
            out.append(", \"lines\": ").append(std::to_string(rows[i].lines));
            out.append(", \"language\": ").append(JsonText(PrjHelper::GetAnyLanguageName(rows[i].lang)));
            AppendKinds(out, rows[i].kinds, true);
            out.append("}");
        }
        out.append("]");
    }
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        out.append(i == 0 ? ", \"skipped\": [{\"name\": " : ", {\"name\": ").append(JsonText(skipped[i].name));
        out.append(", \"reason\": ").append(JsonText(skipped[i].reason)).append("}");
    }
    if (!skipped.empty()) {
        out.append("]");
    }
    if (summary != nullptr) {
        AppendSummary(out, *summary);
    }
    out.append("}\n");
    return out;
}

std::string FormatCsv(const std::vector<Row>& rows)
{
    std::string out = "file,lines,language,code,comment,blank,physical\n";
    for (const Row& row : rows) {
        AppendCsvField(out, row.name);
        out.append(",").append(std::to_string(row.lines)).append(",");
        AppendCsvField(out, PrjHelper::GetAnyLanguageName(row.lang));
        AppendKinds(out, row.kinds, false);
        out.append("\n");
    }
    return out;
}

std::string FormatGroupCsv(std::string_view nameColumn, const std::vector<GroupRow>& groups)
{
    std::string out;
    AppendCsvField(out, nameColumn);
    out.append(",files,lines,code,comment,blank,physical\n");
    for (const GroupRow& group : groups) {
        AppendCsvField(out, group.name);
        out.append(",").append(std::to_string(group.files));
        out.append(",").append(std::to_string(group.lines));
        AppendKinds(out, group.kinds, false);
        out.append("\n");
    }
    return out;
}

}  // namespace lintally::scan
