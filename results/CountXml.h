// A count as the XML that CI plugins for line counts read (Jenkins' SLOCCount plugin among
// them): every file with its language and line kinds, their total, then the sums by
// language and theirs.
//   <?xml version="1.0" encoding="UTF-8"?>
//   <results>
//     <header><root>ROOT</root><n_files>n</n_files><n_lines>n</n_lines></header>
//     <files>
//       <file name="..." blank="n" comment="n" code="n" language="..."/> ...
//       <total blank="n" comment="n" code="n"/>
//     </files>
//     <languages>
//       <language name="..." files_count="n" blank="n" comment="n" code="n"/> ...
//       <total sum_files="n" blank="n" comment="n" code="n"/>
//     </languages>
//   </results>
// n_lines counts every line of the files. Names are shown as the table shows them (control
// characters and hidden marks as escapes), made valid UTF-8, the XML specials as entities.
//
// Pure functions; any thread may call them.
#pragma once

#include <string>
#include <string_view>

#include "results/TextOut.h"
#include "scan/RowList.h"

namespace lintally::results {

// text as XML character data or an attribute value in double quotes.
[[nodiscard]] std::string XmlText(std::string_view text);

void WriteCountXml(TextOut& text, std::string_view root, const scan::RowList& rows);

}  // namespace lintally::results
