#include "linecount/LineTally.h"

#include <cstring>

#include "linecount/LineClassifier.h"
#include "linecount/ReadBlock.h"

namespace PrjHelper {

LineTally::LineTally(const CommentMarkers& markers, bool trackBlocks)
    : m_markers(markers), m_trackBlocks(trackBlocks), m_long(markers.close)
{}

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

LineBreakdown LineTally::Finish()
{
    if (m_pending) {
        Decide(m_long.Condensed());
        m_pending = false;
    }
    return m_lines;
}

void LineTally::Decide(const char* line)
{
    switch (ClassifyLine(m_markers, m_trackBlocks, line, m_inBlock)) {
    case LineKind::Blank:
        ++m_lines.blank;
        break;
    case LineKind::Comment:
        ++m_lines.comment;
        break;
    case LineKind::Code:
        ++m_lines.code;
        break;
    }
}

LineBreakdown TallyLines(Brim::IStream& stream, std::int32_t lang, std::uint32_t flags,
                         const std::function<bool()>& keepGoing)
{
    LineTally tally(GetCommentMarkers(lang), (flags & CF_TRACK_BLOCKS) != 0);
    ReadBlock block;
    while (!keepGoing || keepGoing()) {
        const std::uint32_t got = block.Read(stream);
        if (got == 0)
            break;
        tally.Feed(block.Data(), got);
    }
    return tally.Finish();
}

std::uint64_t CountLines(Brim::IStream& stream, std::int32_t lang, std::uint32_t flags,
                         const std::function<bool()>& keepGoing)
{
    return TallyLines(stream, lang, flags, keepGoing).Counted(flags);
}

}  // namespace PrjHelper
