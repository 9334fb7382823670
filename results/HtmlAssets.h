// The page's script and style (HtmlPage.js and HtmlPage.css), built into the program so a
// page needs no file beside it.
//
// Constants; any thread may read them.
#pragma once

#include <string_view>

namespace lintally::results {

extern const std::string_view kPageScript;
extern const std::string_view kPageStyle;

}  // namespace lintally::results
