#include "results/CountOpenMetrics.h"

#include "fileio/MessageText.h"
#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

struct Family
{
    const char* name;
    const char* help;
    std::uint64_t (*value)(const scan::GroupRow& group);
};

constexpr Family kFamilies[] = {
    {"lintally_files", "Files counted.", [](const scan::GroupRow& g) { return g.files; }},
    {"lintally_counted_lines", "Lines that count under the count's options.",
     [](const scan::GroupRow& g) { return g.lines; }},
    {"lintally_code_lines", "Code lines.", [](const scan::GroupRow& g) { return g.kinds.code; }},
    {"lintally_comment_lines", "Comment lines.",
     [](const scan::GroupRow& g) { return g.kinds.comment; }},
    {"lintally_blank_lines", "Blank lines.", [](const scan::GroupRow& g) { return g.kinds.blank; }},
};

}  // namespace

std::string OpenMetricsLabel(std::string_view text)
{
    // Every line break is an escape by now, so only the two specials are left.
    const std::string shown = ToValidUtf8(Brim::EscapeControlBytes(text));
    std::string out;
    out.reserve(shown.size());
    for (const char c : shown) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    return out;
}

void WriteOpenMetrics(TextOut& text, std::string_view label,
                      const std::vector<scan::GroupRow>& groups)
{
    std::string& out = text.Text();
    std::vector<std::string> labels;
    labels.reserve(groups.size());
    for (const scan::GroupRow& group : groups) {
        labels.push_back(std::string(label) + "=\"" + OpenMetricsLabel(group.name) + "\"");
    }
    for (const Family& family : kFamilies) {
        out.append("# TYPE ").append(family.name).append(" gauge\n");
        out.append("# HELP ").append(family.name).append(" ").append(family.help).append("\n");
        for (std::size_t i = 0; i < groups.size(); ++i) {
            out.append(family.name).append("{").append(labels[i]).append("} ");
            out.append(std::to_string(family.value(groups[i]))).append("\n");
            text.RowDone();
        }
    }
    out.append("# EOF\n");
}

}  // namespace lintally::results
