// The detailed count (embedded code and branch tokens) over a whole file, in the language its
// name gives, with block comments across lines when mode bit 0x10 is set. Checks that without
// its options it counts as the one-pass count, that with them the file's own lines and its
// embedded parts add up to its lines, and that neither depends on where the reads end.
#include <string>

#include "Harness.h"
#include "linecount/DetailTally.h"
#include "linecount/Utf16Text.h"
#include "linecount/WideLanguages.h"

using namespace PrjHelper;
using lintally::fuzz::ChunkedStream;
using lintally::fuzz::Fault;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lintally::fuzz::FileInput input;
    if (!lintally::fuzz::ReadFileInput(data, size, input)) {
        return 0;
    }
    const std::uint32_t blocks = (input.mode & 0x10) != 0 ? CF_TRACK_BLOCKS : 0;
    const std::uint32_t flags = CF_WIDE_TABLE | blocks;
    const std::int32_t named = WideLanguageOfName(input.name);

    ChunkedStream plainStream(input.text, input.text.size());
    const WideTallyResult plain = TallyWideLines(plainStream, named, false, flags);
    ChunkedStream bareStream(input.text, input.piece);
    const DetailTallyResult bare = TallyDetailedLines(bareStream, named, false, flags);
    if (bare.host.kinds != plain.kinds || !bare.embedded.empty() || bare.complexity != 0) {
        Fault("without its options the count differs from the one-pass count");
    }

    const std::uint32_t detailed = flags | CF_EMBEDDED | CF_COMPLEXITY;
    ChunkedStream wholeStream(input.text, input.text.size());
    const DetailTallyResult whole = TallyDetailedLines(wholeStream, named, false, detailed);
    ChunkedStream piecesStream(input.text, input.piece);
    const DetailTallyResult pieces = TallyDetailedLines(piecesStream, named, false, detailed);
    if (pieces.host.kinds != whole.host.kinds || pieces.embedded != whole.embedded ||
        pieces.complexity != whole.complexity) {
        Fault("the detailed count depends on where the reads end");
    }
    std::uint64_t physical = whole.host.kinds.Physical();
    for (const EmbeddedPart& part : whole.embedded) {
        physical += part.kinds.Physical();
        if (part.lang == 0 || part.kinds.Physical() == 0) {
            Fault("an embedded part of no language or no line");
        }
    }
    if (physical != lintally::fuzz::LineCount(TextAsUtf8(input.text))) {
        Fault("a line of no language, or of two");
    }
    return 0;
}
