#include "linecount/LineTally.h"

#include <cstring>

#include "linecount/LineClassifier.h"
#include "linecount/ReadBlock.h"

namespace PrjHelper {

LineTally::LineTally(const CommentMarkers& markers, std::uint32_t flags)
    : m_markers(markers), m_flags(flags), m_long(markers.close)
{
}

void LineTally::Feed(char* data, std::size_t size)
{
    char* at = data;
    char* const end = data + size;
    while (at < end) {
        char* lf = static_cast<char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (lf == nullptr) {
            if (!m_pending)
                m_long.Reset();
            m_long.Add(at, static_cast<std::size_t>(end - at));
            m_pending = true;
            return;
        }
        if (m_pending) {
            m_long.Add(at, static_cast<std::size_t>(lf - at));
            Decide(m_long.Condensed());
            m_pending = false;
        } else {
            *lf = '\0';
            Decide(at);
        }
        at = lf + 1;
    }
}

std::uint64_t LineTally::Finish()
{
    if (m_pending) {
        Decide(m_long.Condensed());
        m_pending = false;
    }
    return m_count;
}

void LineTally::Decide(const char* line)
{
    if (LineCounts(m_markers, m_flags, line, m_inBlock))
        ++m_count;
}

std::uint64_t CountLines(Brim::IStream& stream, std::int32_t lang, std::uint32_t flags,
                         const std::function<bool()>& keepGoing)
{
    LineTally tally(GetCommentMarkers(lang), flags);
    ReadBlock block;
    while (!keepGoing || keepGoing()) {
        const std::uint32_t got = stream.Read(block.Data(), block.Size());
        if (got == 0)
            break;
        tally.Feed(block.Data(), got);
    }
    return tally.Finish();
}

}  // namespace PrjHelper
