#include "results/HtmlCharts.h"

#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

std::string Head(std::string_view chart, std::string_view title)
{
    std::string head = "{\"chart\": \"";
    return head.append(chart).append("\", \"title\": ").append(JsonText(title));
}

template <class Each>
void AppendList(std::string& out, std::size_t count, Each each)
{
    out.append("[");
    for (std::size_t i = 0; i < count; ++i) {
        out.append(i == 0 ? "" : ", ");
        each(i);
    }
    out.append("]");
}

void AppendFolder(std::string& out, const FolderNode& node)
{
    out.append("{\"name\": ").append(JsonText(node.name));
    out.append(", \"value\": ").append(std::to_string(node.code));
    out.append(", \"tips\": [[\"Files\", ").append(std::to_string(node.files)).append("]]");
    if (!node.children.empty()) {
        out.append(", \"children\": ");
        AppendList(out, node.children.size(),
                   [&](std::size_t i) { AppendFolder(out, node.children[i]); });
    }
    out.append("}");
}

void AppendTexts(std::string& out, const std::vector<std::string>& texts)
{
    AppendList(out, texts.size(), [&](std::size_t i) { out.append(JsonText(texts[i])); });
}

}  // namespace

std::string BarsChart(std::string_view title, std::string_view unit,
                      const std::vector<ChartItem>& items)
{
    std::string out = Head("bars", title);
    out.append(", \"unit\": ").append(JsonText(unit)).append(", \"items\": ");
    AppendList(out, items.size(), [&](std::size_t i) {
        out.append("{\"name\": ").append(JsonText(items[i].name));
        out.append(", \"value\": ").append(std::to_string(items[i].value)).append(", \"tips\": ");
        const auto& tips = items[i].tips;
        AppendList(out, tips.size(), [&](std::size_t k) {
            out.append("[").append(JsonText(tips[k].first)).append(", ");
            out.append(std::to_string(tips[k].second)).append("]");
        });
        out.append("}");
    });
    return out.append("}");
}

std::string SplitChart(std::string_view title, const std::vector<SplitItem>& items)
{
    std::string out = Head("split", title);
    out.append(", \"items\": ");
    AppendList(out, items.size(), [&](std::size_t i) {
        out.append("{\"name\": ").append(JsonText(items[i].name));
        out.append(", \"added\": ").append(std::to_string(items[i].added));
        out.append(", \"removed\": ").append(std::to_string(items[i].removed)).append("}");
    });
    return out.append("}");
}

std::string TreemapChart(std::string_view title, const FolderNode& root)
{
    std::string out = Head("treemap", title);
    out.append(", \"unit\": \"Code\", \"root\": ");
    AppendFolder(out, root);
    return out.append("}");
}

std::string AreaChart(std::string_view title, std::string_view unit,
                      const std::vector<std::string>& labels, const std::vector<std::string>& notes,
                      const std::vector<AreaSeries>& series)
{
    std::string out = Head("area", title);
    out.append(", \"unit\": ").append(JsonText(unit)).append(", \"labels\": ");
    AppendTexts(out, labels);
    if (!notes.empty()) {
        out.append(", \"notes\": ");
        AppendTexts(out, notes);
    }
    out.append(", \"series\": ");
    AppendList(out, series.size(), [&](std::size_t i) {
        out.append("{\"name\": ").append(JsonText(series[i].name)).append(", \"values\": ");
        AppendList(out, series[i].values.size(),
                   [&](std::size_t k) { out.append(std::to_string(series[i].values[k])); });
        out.append("}");
    });
    return out.append("}");
}

}  // namespace lintally::results
