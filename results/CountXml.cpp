#include "results/CountXml.h"

#include <algorithm>

#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"
#include "results/JsonCsv.h"
#include "results/RowGrouping.h"

namespace lintally::results {

namespace {

constexpr std::pair<char, std::string_view> kEntities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&apos;"},
};

// U+FFFE and U+FFFF are valid UTF-8 but no XML character.
constexpr std::pair<std::string_view, std::string_view> kNonCharacters[] = {
    {"\xEF\xBF\xBE", "\\ufffe"},
    {"\xEF\xBF\xBF", "\\uffff"},
};

// ` blank="n" comment="n" code="n"`.
void AppendKinds(std::string& out, const PrjHelper::LineBreakdown& kinds)
{
    out.append(" blank=\"").append(std::to_string(kinds.blank));
    out.append("\" comment=\"").append(std::to_string(kinds.comment));
    out.append("\" code=\"").append(std::to_string(kinds.code)).append("\"");
}

}  // namespace

std::string XmlText(std::string_view text)
{
    const std::string shown = ToValidUtf8(Brim::EscapeControlBytes(text));
    std::string out;
    out.reserve(shown.size());
    std::size_t i = 0;
    while (i < shown.size()) {
        const std::string_view rest = std::string_view(shown).substr(i);
        bool replaced = false;
        for (const auto& [bytes, escape] : kNonCharacters) {
            if (rest.starts_with(bytes)) {
                out.append(escape);
                i += bytes.size();
                replaced = true;
            }
        }
        if (replaced) {
            continue;
        }
        const char c = shown[i++];
        const auto* const entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                                [c](const auto& pair) { return pair.first == c; });
        if (entity != std::end(kEntities)) {
            out.append(entity->second);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void WriteCountXml(TextOut& text, std::string_view root, const scan::RowList& rows)
{
    std::string& out = text.Text();
    PrjHelper::LineBreakdown total;
    for (const scan::RowView row : rows) {
        total += row.kinds;
    }
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<results>\n  <header><root>")
        .append(XmlText(root));
    out.append("</root><n_files>").append(std::to_string(rows.size()));
    out.append("</n_files><n_lines>").append(std::to_string(total.Physical()));
    out.append("</n_lines></header>\n  <files>\n");
    for (const scan::RowView row : rows) {
        out.append("    <file name=\"").append(XmlText(row.name)).append("\"");
        AppendKinds(out, row.kinds);
        out.append(" language=\"")
            .append(XmlText(PrjHelper::GetAnyLanguageName(row.lang)))
            .append("\"/>\n");
        text.RowDone();
    }
    out.append("    <total");
    AppendKinds(out, total);
    out.append("/>\n  </files>\n  <languages>\n");
    for (const scan::GroupRow& language : GroupFiles(rows, scan::Grouping{}, 0)) {
        out.append("    <language name=\"").append(XmlText(language.name));
        out.append("\" files_count=\"").append(std::to_string(language.files)).append("\"");
        AppendKinds(out, language.kinds);
        out.append("/>\n");
    }
    out.append("    <total sum_files=\"").append(std::to_string(rows.size())).append("\"");
    AppendKinds(out, total);
    out.append("/>\n  </languages>\n</results>\n");
}

}  // namespace lintally::results
