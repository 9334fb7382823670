// The JSON a page carries in its #data element, parsed, for tests of the pages.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

inline nlohmann::json PageData(const std::string& html)
{
    const std::string open = "<script type=\"application/json\" id=\"data\">";
    const std::size_t start = html.find(open) + open.size();
    return nlohmann::json::parse(html.substr(start, html.find("</script>", start) - start));
}
