// The wide table's line classifier over a whole file, in the language its name gives (or,
// with mode bit 0x01 and no such language, its "#!" line) and with block comments across
// lines when mode bit 0x10 is set. Checks that each line gets exactly one kind, that the count
// does not depend on where the stream's reads end (the scanner's carried bytes and its
// plain-line shortcut), that it agrees with ClassifyWideLine applied to each whole line, and
// that the code lines a diff hashes are those counted.
#include <algorithm>
#include <string>

#include "CodeLineCheck.h"
#include "Harness.h"
#include "linecount/Utf16Text.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"

using namespace PrjHelper;
using lintally::fuzz::ChunkedStream;
using lintally::fuzz::Fault;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lintally::fuzz::FileInput input;
    if (!lintally::fuzz::ReadFileInput(data, size, input)) {
        return 0;
    }
    const bool sniff = (input.mode & 0x01) != 0;
    const bool trackBlocks = (input.mode & 0x10) != 0;
    const std::uint32_t flags = CF_WIDE_TABLE | (trackBlocks ? CF_TRACK_BLOCKS : 0);
    const std::int32_t named = WideLanguageOfName(input.name);

    ChunkedStream whole(input.text, input.text.size());
    const WideTallyResult result = TallyWideLines(whole, named, sniff, flags);
    ChunkedStream pieces(input.text, input.piece);
    const WideTallyResult inPieces = TallyWideLines(pieces, named, sniff, flags);
    if (inPieces.kinds != result.kinds || inPieces.lang != result.lang) {
        Fault("the count depends on where the reads end");
    }
    // A text with a UTF-16 mark is counted as its UTF-8.
    const std::string text = TextAsUtf8(input.text);
    if (result.kinds.Physical() != lintally::fuzz::LineCount(text)) {
        Fault("a line of no kind, or of two");
    }

    static constexpr WideLanguage kNoSyntax{.name = "Other"};
    const WideLanguage* language = GetWideLanguage(result.lang);
    const WideSyntax syntax(language != nullptr ? *language : kNoSyntax);
    WideState state;
    LineBreakdown byLine;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = std::string_view(text).substr(start, end - start);
        LineKind kind = ClassifyWideLine(syntax, trackBlocks, line, state);
        if (start == 0 && line.starts_with("#!")) {
            kind = LineKind::Code;
        }
        ++(kind == LineKind::Blank     ? byLine.blank
           : kind == LineKind::Comment ? byLine.comment
                                       : byLine.code);
        start = end + 1;
    }
    if (byLine != result.kinds) {
        Fault("the count differs from ClassifyWideLine's, line by line");
    }
    lintally::fuzz::CheckCodeLineHashes(input.text, input.piece, result.lang, flags,
                                        result.kinds.code);
    return 0;
}
