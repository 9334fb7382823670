// The manual pages, in roff: lintally-cli(1) made from the command line's definition (a
// section for the count, diff and history, each listing every option with its help text),
// and lintally(1) for the dialog.
//
// Pure functions; used by one thread at a time.
#pragma once

#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace lintally::cli {

// lintally-cli(1) from the program's App (see DefineCommandLine).
[[nodiscard]] std::string CliManPage(const CLI::App& app, std::string_view version);
// lintally(1).
[[nodiscard]] std::string DialogManPage(std::string_view version);
// text as roff reads it literally: backslashes and minus signs escaped, a line that would
// begin with a control character guarded.
[[nodiscard]] std::string RoffText(std::string_view text);

}  // namespace lintally::cli
