#include "linecount/LineClassifier.h"

#include <string_view>

namespace PrjHelper {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// Where the trimmed line starts, or null when the line is blank. Only the start is scanned:
// most lines are decided by their first bytes, so the length is measured only when needed.
const char* TrimmedStart(const char* line)
{
    if (line == nullptr)
        return nullptr;
    while (*line == ' ' || *line == '\t')
        ++line;
    if (*line == '\0' || (*line == '\r' && line[1] == '\0'))
        return nullptr;
    return line;
}

// The whole trimmed line from its start: one final CR dropped, then trailing spaces and tabs.
std::string_view TrimmedLine(const char* start)
{
    std::string_view text(start);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Markers are one or two bytes without spaces, tabs or CRs, so comparing them with the
// untrimmed rest of the line gives the same answer as with the trimmed line.
bool BeginsWith(const char* text, const char* marker)
{
    if (*marker == '\0')
        return false;
    for (; *marker != '\0'; ++marker, ++text) {
        if (*text != *marker)
            return false;
    }
    return true;
}

// Where the first closing marker ends (one past its last byte), or kNotFound. The marker
// is never empty here: callers test for block markers first.
std::size_t FirstCloseEnd(std::string_view text, std::string_view close)
{
    const std::size_t at = text.find(close);
    return at == kNotFound ? kNotFound : at + close.size();
}

// True when the first closing marker ends the trimmed line. Kept out of line: only lines
// that open a block get here, and the per-line path stays small without it.
[[gnu::noinline]] bool ClosesAtEnd(const char* start, const char* close)
{
    const std::string_view text = TrimmedLine(start);
    return FirstCloseEnd(text, close) == text.size();
}

bool IsOneLineComment(const CommentMarkers& markers, const char* start)
{
    if (BeginsWith(start, markers.single))
        return true;
    if (!BeginsWith(start, markers.open) || *markers.close == '\0')
        return false;
    return ClosesAtEnd(start, markers.close);
}

[[gnu::noinline]] bool IsTrackedComment(const CommentMarkers& markers, const char* start,
                                        bool& inBlock)
{
    const bool hasBlocks = *markers.open != '\0' && *markers.close != '\0';
    if (!hasBlocks)
        inBlock = false;
    if (!inBlock) {
        if (BeginsWith(start, markers.single))
            return true;
        if (!hasBlocks || !BeginsWith(start, markers.open))
            return false;
    }
    // Either a block is open, or this line opens one: it runs to the first closing marker.
    const std::string_view text = TrimmedLine(start);
    const std::size_t end = FirstCloseEnd(text, markers.close);
    inBlock = end == kNotFound;
    return inBlock || end == text.size();
}

bool IsComment(const CommentMarkers& markers, bool trackBlocks, const char* start, bool& inBlock)
{
    return trackBlocks ? IsTrackedComment(markers, start, inBlock)
                       : IsOneLineComment(markers, start);
}

}  // namespace

LineKind ClassifyLine(const CommentMarkers& markers, bool trackBlocks, const char* line,
                      bool& inBlock)
{
    const char* start = TrimmedStart(line);
    if (start == nullptr)
        return LineKind::Blank;
    return IsComment(markers, trackBlocks, start, inBlock) ? LineKind::Comment : LineKind::Code;
}

bool LineCounts(const CommentMarkers& markers, std::uint32_t flags, const char* line, bool& inBlock)
{
    const char* start = TrimmedStart(line);
    if (start == nullptr)
        return (flags & CF_COUNT_BLANK) != 0;
    if ((flags & CF_COUNT_REMED) != 0)
        return true;
    return !IsComment(markers, (flags & CF_TRACK_BLOCKS) != 0, start, inBlock);
}

}  // namespace PrjHelper
