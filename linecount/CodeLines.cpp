#include "linecount/CodeLines.h"

#include "linecount/LineClassifier.h"
#include "linecount/Utf16Text.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideTally.h"

namespace PrjHelper {

namespace {

constexpr WideLanguage kNoSyntax{.name = "Other"};

// Calls each(line) for every line of text (without its LF); the bytes after the last LF are
// one more line.
template <class Each>
void ForEachLine(std::string_view text, Each each)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        each(text.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

std::string CodeLines(std::string_view bytes, std::int32_t lang, std::uint32_t flags)
{
    const bool utf16 = EncodingOfStart(bytes) != TextEncoding::Bytes;
    const std::string decoded = utf16 ? TextAsUtf8(bytes) : std::string();
    const std::string_view text = utf16 ? std::string_view(decoded) : bytes;
    const bool trackBlocks = (flags & CF_TRACK_BLOCKS) != 0;
    std::string code;
    if ((flags & CF_WIDE_TABLE) != 0) {
        const WideLanguage* language = GetWideLanguage(lang);
        const WideSyntax syntax(language != nullptr ? *language : kNoSyntax);
        WideState state;
        bool first = true;
        ForEachLine(text, [&](std::string_view line) {
            const bool shebang = first && line.substr(0, 2) == "#!";
            first = false;
            if (ClassifyWideLine(syntax, trackBlocks, line, state) == LineKind::Code || shebang) {
                code.append(line).push_back('\n');
            }
        });
        return code;
    }
    const CommentMarkers markers = GetCommentMarkers(lang);
    bool inBlock = false;
    std::string terminated;  // the classifier reads a line up to a NUL
    ForEachLine(text, [&](std::string_view line) {
        terminated.assign(line);
        if (ClassifyLine(markers, trackBlocks, terminated.c_str(), inBlock) == LineKind::Code) {
            code.append(line).push_back('\n');
        }
    });
    return code;
}

}  // namespace PrjHelper
