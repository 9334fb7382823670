#include "linecount/WideTally.h"

#include <cstring>
#include <optional>
#include <string_view>

#include "linecount/LineClassifier.h"
#include "linecount/ReadBlock.h"
#include "linecount/WideClassifier.h"

namespace PrjHelper {

namespace {

constexpr WideLanguage kNoSyntax{.name = "Other"};

std::int32_t SniffShebang(const char* data, std::size_t size)
{
    const void* lf = std::memchr(data, '\n', size);
    const std::size_t length = lf == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(lf) - data);
    return WideLanguageOfShebang(std::string_view(data, length));
}

}  // namespace

WideTallyResult TallyWideLines(Brim::IStream& stream, std::int32_t lang, bool sniff,
                               std::uint32_t flags, const std::function<bool()>& keepGoing)
{
    WideTallyResult result;
    result.lang = IsWideLanguage(lang) ? lang : 0;
    ReadBlock block;
    std::optional<WideSyntax> syntax;
    std::optional<WideLineScanner> scanner;
    bool pending = false;  // a line has begun and is not finished
    const auto add = [&result](LineKind kind) {
        LineBreakdown& lines = result.kinds;
        ++(kind == LineKind::Blank ? lines.blank : kind == LineKind::Comment ? lines.comment : lines.code);
    };
    while (!keepGoing || keepGoing()) {
        const std::uint32_t got = stream.Read(block.Data(), block.Size());
        if (got == 0)
            break;
        if (!scanner) {
            if (result.lang == 0 && sniff)
                result.lang = SniffShebang(block.Data(), got);
            const WideLanguage* language = GetWideLanguage(result.lang);
            syntax.emplace(language != nullptr ? *language : kNoSyntax);
            scanner.emplace(*syntax, (flags & CF_TRACK_BLOCKS) != 0);
        }
        const char* at = block.Data();
        const char* const end = at + got;
        while (at < end) {
            const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            const char* lf = found == nullptr ? end : static_cast<const char*>(found);
            scanner->Add(at, static_cast<std::size_t>(lf - at));
            pending = lf == end;
            if (lf != end)
                add(scanner->EndLine());
            at = lf + (lf == end ? 0 : 1);
        }
    }
    if (pending)
        add(scanner->EndLine());
    return result;
}

}  // namespace PrjHelper
