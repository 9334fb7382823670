// The design table's line classifier over a whole file, in the language its name gives and
// the option bits of the mode byte. Checks that each line gets exactly one kind, that the
// count does not depend on where the stream's reads end (lines that span reads take the long
// line path), that it agrees with the classifier applied to each whole line, that the lines
// that count are those LineCounts counts, and that the code lines a diff hashes are those counted.
#include <algorithm>
#include <string>

#include "CodeLineCheck.h"
#include "Harness.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "linecount/Utf16Text.h"

using namespace PrjHelper;
using lintally::fuzz::ChunkedStream;
using lintally::fuzz::Fault;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lintally::fuzz::FileInput input;
    if (!lintally::fuzz::ReadFileInput(data, size, input)) {
        return 0;
    }
    // The mode byte's low bits are the CF_ bits: '0' tracks blocks, '3' also counts comment
    // and blank lines, '@' judges each line alone.
    const std::uint32_t flags =
        (input.mode & 0x03) | ((input.mode & 0x10) != 0 ? CF_TRACK_BLOCKS : 0);
    const bool trackBlocks = (flags & CF_TRACK_BLOCKS) != 0;
    char ext[16] = {};
    const std::int32_t lang = GetPathLanguage(std::string(input.name).c_str(), ext, sizeof ext);

    ChunkedStream whole(input.text, input.text.size());
    const LineBreakdown kinds = TallyLines(whole, lang, flags);
    ChunkedStream pieces(input.text, input.piece);
    if (TallyLines(pieces, lang, flags) != kinds) {
        Fault("the count depends on where the reads end");
    }
    // A text with a UTF-16 mark is counted as its UTF-8.
    const std::string text = TextAsUtf8(input.text);
    if (kinds.Physical() != lintally::fuzz::LineCount(text)) {
        Fault("a line of no kind, or of two");
    }

    const CommentMarkers markers = GetCommentMarkers(lang);
    LineBreakdown byLine;
    std::uint64_t counted = 0;
    bool inBlock = false;
    bool countsInBlock = false;
    std::string line;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        line.assign(text.substr(start, end - start));
        switch (ClassifyLine(markers, trackBlocks, line.c_str(), inBlock)) {
        case LineKind::Blank:
            ++byLine.blank;
            break;
        case LineKind::Comment:
            ++byLine.comment;
            break;
        case LineKind::Code:
            ++byLine.code;
            break;
        }
        counted += LineCounts(markers, flags, line.c_str(), countsInBlock) ? 1 : 0;
        start = end + 1;
    }
    if (byLine != kinds) {
        Fault("the count differs from the classifier's, line by line");
    }
    if (counted != kinds.Counted(flags)) {
        Fault("the lines that count differ from LineCounts'");
    }
    lintally::fuzz::CheckCodeLineHashes(input.text, input.piece, lang, flags, kinds.code);
    return 0;
}
