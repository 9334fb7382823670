#include "linecount/LineClassifier.h"

#include <string_view>

namespace PrjHelper {

namespace {

constexpr std::size_t kNotFound = std::string_view::npos;

// The line without a final CR and without surrounding spaces and tabs; a view, no copy.
std::string_view TrimmedLine(const char* line)
{
    std::string_view text = line != nullptr ? std::string_view(line) : std::string_view();
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool BeginsWith(std::string_view text, std::string_view marker)
{
    return !marker.empty() && text.starts_with(marker);
}

// Where the first closing marker ends (one past its last byte), or kNotFound.
std::size_t FirstCloseEnd(std::string_view text, std::string_view close)
{
    if (close.empty())
        return kNotFound;
    const std::size_t at = text.find(close);
    return at == kNotFound ? kNotFound : at + close.size();
}

bool IsOneLineComment(const CommentMarkers& markers, std::string_view text)
{
    if (BeginsWith(text, markers.single))
        return true;
    if (!BeginsWith(text, markers.open))
        return false;
    return FirstCloseEnd(text, markers.close) == text.size();
}

bool IsTrackedComment(const CommentMarkers& markers, std::string_view text, bool& inBlock)
{
    const std::string_view close = markers.close;
    const bool hasBlocks = markers.open[0] != '\0' && !close.empty();
    if (!hasBlocks)
        inBlock = false;
    if (!inBlock) {
        if (BeginsWith(text, markers.single))
            return true;
        if (!hasBlocks || !BeginsWith(text, markers.open))
            return false;
    }
    // Either a block is open, or this line opens one: it runs to the first closing marker.
    const std::size_t end = FirstCloseEnd(text, close);
    inBlock = end == kNotFound;
    return inBlock || end == text.size();
}

}  // namespace

bool LineCounts(const CommentMarkers& markers, std::uint32_t flags, const char* line,
                bool& inBlock)
{
    const std::string_view text = TrimmedLine(line);
    if (text.empty())
        return (flags & CF_COUNT_BLANK) != 0;
    if ((flags & CF_COUNT_REMED) != 0)
        return true;
    const bool comment = (flags & CF_TRACK_BLOCKS) != 0
                             ? IsTrackedComment(markers, text, inBlock)
                             : IsOneLineComment(markers, text);
    return !comment;
}

}  // namespace PrjHelper
