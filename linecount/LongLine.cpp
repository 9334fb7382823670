#include "linecount/LongLine.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "linecount/LanguageTable.h"

namespace PrjHelper {

namespace {

constexpr bool MarkersFitHead()
{
    for (const CommentMarkers& markers : kCommentMarkerTable) {
        for (const char* marker : {markers.single, markers.open, markers.close}) {
            if (std::char_traits<char>::length(marker) > LongLine::kHeadBytes)
                return false;
        }
    }
    return true;
}
static_assert(MarkersFitHead(), "a marker longer than LongLine's head would be cut off");

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

}  // namespace

LongLine::LongLine(const char* close) : m_close(close), m_closeSize(std::strlen(close))
{
    m_filler = 'x';
    for (const char candidate : {'x', 'y', 'z'}) {
        if (std::memchr(close, candidate, m_closeSize) == nullptr) {
            m_filler = candidate;
            break;
        }
    }
}

void LongLine::Reset()
{
    m_length = 0;
    m_cut = false;
    m_start = kNone;
    m_headSize = 0;
    m_closeEnd = kNone;
    m_lastByte = '\0';
    m_contentEnd = 0;
    m_contentEndBefore = 0;
}

void LongLine::Add(const char* data, std::size_t size)
{
    if (m_cut || size == 0)
        return;
    if (const void* nul = std::memchr(data, '\0', size)) {
        m_cut = true;
        size = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        if (size == 0)
            return;
    }
    FindStart(data, size);
    FindClose(data, size);
    FindLastContent(data, size);
    m_lastByte = data[size - 1];
    m_length += size;
}

void LongLine::FindStart(const char* data, std::size_t size)
{
    std::size_t at = 0;
    if (m_start == kNone) {
        while (at < size && IsBlank(data[at]))
            ++at;
        if (at == size)
            return;
        m_start = m_length + at;
    }
    // The head takes the bytes right after the start, blanks included.
    for (; at < size && m_headSize < kHeadBytes && m_start + m_headSize == m_length + at; ++at)
        m_head[m_headSize++] = data[at];
}

// Finds the first closing marker, one that may straddle the previous piece included.
void LongLine::FindClose(const char* data, std::size_t size)
{
    if (m_closeSize == 0 || m_closeEnd != kNone)
        return;
    if (m_closeSize == 2 && m_length > 0 && m_lastByte == m_close[0] && data[0] == m_close[1]) {
        m_closeEnd = m_length + 1;
        return;
    }
    const std::string_view piece(data, size);
    const std::size_t at = piece.find(std::string_view(m_close, m_closeSize));
    if (at != std::string_view::npos)
        m_closeEnd = m_length + at + m_closeSize;
}

void LongLine::FindLastContent(const char* data, std::size_t size)
{
    std::size_t at = size;
    while (at > 0 && IsBlank(data[at - 1]))
        --at;
    if (at == 0)
        return;
    const std::uint64_t last = m_length + at;
    // The end before the last content byte: needed when that byte is a final CR, which the
    // classifier drops before it trims.
    std::size_t before = at - 1;
    while (before > 0 && IsBlank(data[before - 1]))
        --before;
    m_contentEndBefore = before > 0 ? m_length + before : m_contentEnd;
    m_contentEnd = last;
}

const char* LongLine::Condensed()
{
    const std::uint64_t end =
        m_length > 0 && m_lastByte == '\r' ? m_contentEndBefore : m_contentEnd;
    std::size_t size = 0;
    if (m_start != kNone && end > m_start) {
        const std::uint64_t trimmed = end - m_start;
        size = static_cast<std::size_t>(std::min<std::uint64_t>(trimmed, kHeadBytes));
        std::memcpy(m_text, m_head, size);
        // A longer text keeps only its head; where its first closing marker ends is
        // rebuilt after it, with filler bytes that cannot form a marker.
        if (trimmed > kHeadBytes && m_closeEnd != kNone) {
            m_text[size++] = m_filler;
            std::memcpy(m_text + size, m_close, m_closeSize);
            size += m_closeSize;
            if (m_closeEnd != end)
                m_text[size++] = m_filler;
        }
    }
    // A CR at the end of the text is not the line's final CR: a trailing blank keeps it from
    // being taken for one (and then trimmed).
    if (size > 0 && m_text[size - 1] == '\r')
        m_text[size++] = ' ';
    m_text[size] = '\0';
    return m_text;
}

}  // namespace PrjHelper
