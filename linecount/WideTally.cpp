#include "linecount/WideTally.h"

#include <cstring>
#include <string>
#include <string_view>

#include "linecount/LineClassifier.h"
#include "linecount/ReadBlock.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideSyntaxes.h"

namespace PrjHelper {

namespace {

// Reads the stream's first line into head, up to a byte past kShebangMax (so that a longer
// line is known as one however the reads fall), and names its language.
std::int32_t SniffShebang(Brim::IStream& stream, ReadBlock& block, std::string& head)
{
    while (head.size() <= kShebangMax && head.find('\n') == std::string::npos) {
        const std::uint32_t got = block.Read(stream);
        if (got == 0)
            break;
        head.append(block.Data(), got);
    }
    const std::string_view line = std::string_view(head).substr(0, head.find('\n'));
    return line.size() <= kShebangMax ? WideLanguageOfShebang(line) : 0;
}

class Lines
{
public:
    Lines(std::int32_t lang, bool trackBlocks) : m_scanner(WideSyntaxOf(lang), trackBlocks) {}

    void Feed(const char* at, const char* end)
    {
        // The file's first two bytes tell whether its first line is a "#!" line.
        for (const char* byte = at; m_seen < 2 && byte < end; ++byte)
            m_start[m_seen++] = *byte;
        // A "#!" first line is left to Add: it is code whatever it holds. (Before its second
        // byte is seen no line of the file can be whole.)
        const bool shebang = m_start[0] == '#' && m_start[1] == '!';
        while (at < end) {
            if (!m_pending && (m_counted || !shebang)) {
                at = m_scanner.PlainLines(at, end, m_kinds);
                if (at == end)
                    return;
            }
            const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            const char* lf = found == nullptr ? end : static_cast<const char*>(found);
            if (lf == end) {
                m_scanner.Add(at, static_cast<std::size_t>(end - at));
                m_pending = true;
                return;
            }
            Add(m_scanner.EndLine(at, static_cast<std::size_t>(lf - at)));
            m_pending = false;
            at = lf + 1;
        }
    }

    LineBreakdown Finish()
    {
        if (m_pending)
            Add(m_scanner.EndLine());
        m_pending = false;
        return m_kinds;
    }

private:
    // A "#!" first line is code: it names the program that runs the file.
    void Add(LineKind kind)
    {
        if (!m_counted && m_seen == 2 && m_start[0] == '#' && m_start[1] == '!')
            kind = LineKind::Code;
        m_counted = true;
        m_kinds.Add(kind);
    }

    WideLineScanner m_scanner;
    bool m_pending = false;  // a line has begun and is not finished
    LineBreakdown m_kinds;
    char m_start[2] = {};
    std::size_t m_seen = 0;
    bool m_counted = false;  // a line was counted
};

}  // namespace

WideTallyResult TallyWideLines(Brim::IStream& stream, std::int32_t lang, bool sniff,
                               std::uint32_t flags, const std::function<bool()>& keepGoing,
                               std::string_view start)
{
    WideTallyResult result;
    result.lang = IsWideLanguage(lang) ? lang : 0;
    ReadBlock block;
    std::string sniffed;
    std::string_view head = start;
    if (result.lang == 0 && sniff) {
        sniffed.assign(start);
        result.lang = SniffShebang(stream, block, sniffed);
        head = sniffed;
    }
    Lines lines(result.lang, (flags & CF_TRACK_BLOCKS) != 0);
    lines.Feed(head.data(), head.data() + head.size());
    while (!keepGoing || keepGoing()) {
        const std::uint32_t got = block.Read(stream);
        if (got == 0)
            break;
        lines.Feed(block.Data(), block.Data() + got);
    }
    result.kinds = lines.Finish();
    return result;
}

}  // namespace PrjHelper
