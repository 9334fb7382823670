// The ignore-file reader: the input up to its first NUL is an ignore file, the lines after it
// are paths to match (a trailing '/' names a folder); each pattern, alone and under a folder,
// is one more path. The file is read again written two other ways that mean the same, each
// after a byte order mark (which also keeps one that begins the first line), and every path
// must get the same answer from each: with CR LF line ends, and then also with "**/" before
// every pattern that holds no '/' but a trailing one (such a pattern matches a path's last
// part anywhere, so the two compare the plain-text, suffix and glob forms with the "**/"
// glob).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Harness.h"
#include "gitsel/IgnoreList.h"

using lintally::fuzz::Fault;
using lintally::gitsel::IgnoreList;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The lines of an ignore file as the reader splits them: without a byte order mark, LF or
// CR LF line ends.
std::vector<std::string_view> Lines(std::string_view text)
{
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

// A pattern line's text after its '!' and without its trailing '/'; empty for a comment.
std::string_view Core(std::string_view line)
{
    if (line.starts_with('#')) {
        return {};
    }
    if (line.starts_with('!')) {
        line.remove_prefix(1);
    }
    if (line.ends_with('/')) {
        line.remove_suffix(1);
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    const std::string_view text = bytes.substr(0, nul);
    const std::vector<std::string_view> lines = Lines(text);

    std::string crlf(kByteOrderMark);
    std::string anywhere(kByteOrderMark);
    for (const std::string_view line : lines) {
        crlf.append(line).append("\r\n");
        const std::string_view core = Core(line);
        const bool prefix = core.find('/') == std::string_view::npos &&
                            core.find_first_not_of(' ') != std::string_view::npos;
        const std::size_t bang = line.starts_with('!') ? 1 : 0;
        anywhere.append(line.substr(0, bang))
            .append(prefix ? "**/" : "")
            .append(line.substr(bang))
            .append("\r\n");
    }
    const IgnoreList list(text);
    const IgnoreList sameLines(crlf);
    const IgnoreList underAnyFolder(anywhere);

    std::vector<std::string> paths;
    if (nul != std::string_view::npos) {
        for (const std::string_view path : Lines(bytes.substr(nul + 1))) {
            paths.emplace_back(path);
        }
    }
    for (const std::string_view line : lines) {
        const std::string_view core = Core(line);
        paths.emplace_back(core);
        paths.emplace_back(core);
        paths.back().push_back('/');
        paths.push_back("folder/" + std::string(core));
    }
    for (std::string_view path : paths) {
        const bool folder = path.ends_with('/');
        if (folder) {
            path.remove_suffix(1);
        }
        const std::optional<bool> decided = list.Match(path, folder);
        if (sameLines.Match(path, folder) != decided) {
            Fault("a byte order mark or CR LF line ends change a match");
        }
        if (underAnyFolder.Match(path, folder) != decided) {
            Fault("\"**/\" before a pattern without '/' changes a match");
        }
    }
    return 0;
}
