#include "results/HtmlPage.h"

#include <cstdio>

#include "results/HtmlAssets.h"
#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

void AppendEscape(std::string& out, unsigned code)
{
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", code);
    out.append(escape);
}

// The code point of the two- or three-byte sequence at json[i] when it is one a script must
// not see raw (C1 controls, U+2028, U+2029), with its length; 0 otherwise.
unsigned RawOnlyCode(std::string_view json, std::size_t i, std::size_t& length)
{
    const auto at = [&](std::size_t k) {
        return k < json.size() ? static_cast<unsigned char>(json[k]) : 0u;
    };
    if (at(i) == 0xC2 && at(i + 1) >= 0x80 && at(i + 1) <= 0x9F) {
        length = 2;
        return at(i + 1);
    }
    if (at(i) == 0xE2 && at(i + 1) == 0x80 && (at(i + 2) == 0xA8 || at(i + 2) == 0xA9)) {
        length = 3;
        return 0x2000u + (at(i + 2) - 0x80u);
    }
    return 0;
}

}  // namespace

std::string ScriptSafeJson(std::string_view json)
{
    std::string out;
    out.reserve(json.size());
    bool inString = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const auto byte = static_cast<unsigned char>(json[i]);
        std::size_t length = 0;
        if (!inString) {
            inString = byte == '"';
            if (byte >= 0x20) {
                out.push_back(json[i]);
            }
        } else if (byte == '\\' && i + 1 < json.size()) {
            out.append(json.substr(i, 2));
            ++i;
        } else if (byte == '"') {
            inString = false;
            out.push_back('"');
        } else if (byte < 0x20 || byte == 0x7F || byte == '<' || byte == '>' || byte == '&') {
            AppendEscape(out, byte);
        } else if (const unsigned code = RawOnlyCode(json, i, length); code != 0) {
            AppendEscape(out, code);
            i += length - 1;
        } else {
            out.push_back(json[i]);
        }
    }
    return out;
}

HtmlPage::HtmlPage(TextOut& text, std::string_view kind, std::string_view title,
                   std::string_view subtitle, const std::vector<HtmlFact>& facts)
    : m_text(text)
{
    std::string& out = m_text.Text();
    out.append("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n");
    out.append("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
    out.append("<title>Lintally</title>\n<style>\n").append(kPageStyle).append("</style>\n");
    out.append("</head>\n<body>\n<script type=\"application/json\" id=\"data\">");
    std::string head = "{\"kind\": " + JsonText(kind) + ", \"title\": " + JsonText(title) +
                       ", \"subtitle\": " + JsonText(subtitle) + ", \"facts\": [";
    for (std::size_t i = 0; i < facts.size(); ++i) {
        head.append(i == 0 ? "[" : ", [").append(JsonText(facts[i].label));
        head.append(", ").append(std::to_string(facts[i].value));
        head.append(facts[i].signedNumber ? ", true]" : ", false]");
    }
    head.append("], \"charts\": [");
    out.append(ScriptSafeJson(head));
}

void HtmlPage::AddChart(std::string_view chartJson)
{
    m_text.Text().append(m_first ? "" : ",\n").append(ScriptSafeJson(chartJson));
    m_first = false;
    m_text.RowDone();
}

void HtmlPage::StartTable(const std::vector<HtmlColumn>& columns)
{
    std::string json = "],\n\"columns\": [";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        json.append(i == 0 ? "{\"label\": " : ", {\"label\": ").append(JsonText(columns[i].label));
        json.append(columns[i].number ? ", \"num\": true" : ", \"num\": false");
        json.append(columns[i].signedNumber ? ", \"signed\": true}" : "}");
    }
    m_text.Text().append(ScriptSafeJson(json)).append("],\n\"rows\": [");
    m_first = true;
}

void HtmlPage::AddRow(std::string_view rowJson)
{
    m_text.Text().append(m_first ? "" : ",\n").append(ScriptSafeJson(rowJson));
    m_first = false;
    m_text.RowDone();
}

void HtmlPage::Finish(std::string_view totalJson)
{
    std::string& out = m_text.Text();
    out.append("]");
    if (!totalJson.empty()) {
        out.append(",\n\"total\": ").append(ScriptSafeJson(totalJson));
    }
    out.append("}</script>\n<script>\n")
        .append(kPageScript)
        .append("</script>\n</body>\n</html>\n");
}

}  // namespace lintally::results
