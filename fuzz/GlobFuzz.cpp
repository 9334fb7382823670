// The --exclude pattern matcher: the input's first line is a pattern, each later line a path
// to match it against (the pattern's own text is one more). Checks that a pattern that does
// not parse says why, that a pattern without wildcards matches only its own text, that
// appending '*' or prefixing "**/" and a folder loses no match, and that any text escaped
// character by character is a pattern that matches exactly that text.
#include <string>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "scan/Glob.h"

using lintally::fuzz::Fault;
using lintally::scan::Glob;

namespace {

Glob Parsed(const std::string& text)
{
    Glob glob;
    std::string error;
    if (!glob.Parse(text, error)) {
        Fault("a pattern made from a valid one does not parse");
    }
    return glob;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view pattern = bytes.substr(0, bytes.find('\n'));
    std::vector<std::string_view> texts{pattern};
    for (std::size_t start = pattern.size() + 1; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        texts.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }

    Glob glob;
    std::string error;
    const bool parsed = glob.Parse(pattern, error);
    if (!parsed && error.empty()) {
        Fault("a pattern that does not parse without an error");
    }
    const bool literal = pattern.find_first_of("*?[\\") == std::string_view::npos;
    const std::string patternText(pattern);
    const Glob starred = parsed ? Parsed(patternText + "*") : Glob();
    const Glob anywhere = parsed ? Parsed("**/" + patternText) : Glob();

    std::string escaped;
    for (const std::string_view text : texts) {
        escaped.clear();
        for (const char c : text) {
            escaped.push_back('\\');
            escaped.push_back(c);
        }
        const Glob exact = Parsed(escaped);
        if (!exact.Matches(text) || exact.Matches(std::string(text) + "x")) {
            Fault("an escaped text does not match exactly itself");
        }
        if (!parsed) {
            continue;
        }
        const bool matches = glob.Matches(text);
        if (literal && matches != (text == pattern)) {
            Fault("a pattern without wildcards matches another text");
        }
        if (matches && (!starred.Matches(text) || !anywhere.Matches(text) ||
                        !anywhere.Matches("folder/" + std::string(text)))) {
            Fault("a wider pattern loses a match");
        }
    }
    return 0;
}
