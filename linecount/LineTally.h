// LineTally: counts the blank, comment and code lines of a stream in one pass and in
// constant memory, whatever the length of a line.
//
// The lines and their rules are those of CSrcLineReader and LineCounts: only LF ends a line,
// a NUL ends what the classifier sees of it, and the bytes after the last LF are one more
// line. A line that lies whole in a block is classified in place; one that runs across
// blocks is followed by LongLine and never gathered. Counts are 64-bit.
//
// One tally serves one stream on one thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "fileio/Stream.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineBreakdown.h"
#include "linecount/LongLine.h"

namespace PrjHelper {

class LineTally
{
public:
    // trackBlocks: block comments may span lines (CF_TRACK_BLOCKS).
    LineTally(const CommentMarkers& markers, bool trackBlocks);

    // The stream's next bytes. data is changed: each LF becomes a NUL.
    void Feed(char* data, std::size_t size);
    // Ends the stream and returns its lines by kind.
    LineBreakdown Finish();

private:
    void Decide(const char* line);

    CommentMarkers m_markers;
    bool m_trackBlocks;
    bool m_inBlock = false;
    bool m_pending = false;  // a line has begun in an earlier piece and is not finished
    LineBreakdown m_lines;
    LongLine m_long;
};

// Reads stream until its Read gives 0 (the end, an error, or a read that would block) and
// returns its lines by kind under the markers of lang and the block mode of flags. keepGoing,
// when given, is asked before each block; false ends the count there (a stop during a huge
// file).
[[nodiscard]] LineBreakdown TallyLines(Brim::IStream& stream, std::int32_t lang,
                                       std::uint32_t flags,
                                       const std::function<bool()>& keepGoing = {});

// The lines of stream that count under flags: TallyLines(...).Counted(flags).
[[nodiscard]] std::uint64_t CountLines(Brim::IStream& stream, std::int32_t lang,
                                       std::uint32_t flags,
                                       const std::function<bool()>& keepGoing = {});

}  // namespace PrjHelper
