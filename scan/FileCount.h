// Counting one file with the engine's source counter, and the option bits it takes.
//
// Stateless functions; any thread may call them (each call uses a counter of its own).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "linecount/DetailTally.h"
#include "linecount/LineBreakdown.h"

#include "scan/ContentSource.h"
#include "scan/DirReader.h"
#include "scan/Selection.h"
#include "scan/StopToken.h"

namespace lintally::scan {

// The counter's option bits from the user's three choices: comment ("remed") lines
// count, blank lines are excluded, multi-line block comments are tracked.
[[nodiscard]] std::uint32_t MakeCountFlags(bool includeRemed, bool excludeBlank, bool trackBlocks);

// A counted file: its lines by kind (in the block mode of the flags it was counted with)
// and its language id; skipped says why it was not read (then it has no lines). Not kept:
// the wide table with CF_KNOWN_ONLY does not know the file, and the scan leaves it out.
// With CF_EMBEDDED, kinds are the file's own language's lines and embedded holds the rest;
// with CF_COMPLEXITY, complexity is the branch tokens of those own lines (DetailTally.h).
struct FileLines
{
    PrjHelper::LineBreakdown kinds;
    std::int32_t lang = 0;
    std::uint64_t complexity = 0;
    std::vector<PrjHelper::EmbeddedPart> embedded;
    std::optional<SkipReason> skipped;
    bool kept = true;

    // The lines that count under flags, the embedded parts' too.
    [[nodiscard]] std::uint64_t Counted(std::uint32_t flags) const;
};

// The file's lines by kind, in one pass; no lines when the file cannot be opened or read.
// With CF_WIDE_TABLE in flags the wide language table names the language (by file name,
// suffix, its first bytes where languages share the suffix (ContentLanguage.h), or for a name
// without a suffix its "#!" line) and classifies the lines.
// A stop requested on stop, when given, ends the count where it is. content, when given,
// may leave the file out for what it holds (see ContentCheck.h), and with the wide table as
// generated when it asks (see GeneratedFile.h).
// openedAhead, when given, holds what a batch open of the file gave (see OpenEntry), and
// afterwards the descriptor left open for the caller to close with the batch's, or -1.
[[nodiscard]] FileLines TallyFile(const FolderRef& folder, const std::string& name,
                                  const std::string& fullPath, std::uint32_t flags,
                                  const StopToken* stop = nullptr,
                                  const Selection* content = nullptr, int* openedAhead = nullptr);

// Whether TallyFile opens the file named name at all: one whose name no language of the
// table in use has, or that its name says is generated, is left unread.
[[nodiscard]] bool OpensFile(const std::string& name, std::uint32_t flags,
                             const Selection* content);

// The same count over bytes held in memory, for a file named name (its last path part, which
// names the language as a file's name does): the same result as TallyFile over a file that
// holds those bytes, content's choices included.
[[nodiscard]] FileLines TallyBuffer(const std::string& name, std::string_view bytes,
                                    std::uint32_t flags, const StopToken* stop = nullptr,
                                    const Selection* content = nullptr);

// The reader a content count reads from, made when first asked for (null: none can be made).
using ContentReader = std::function<IContentReader*()>;

// The same count over the index-th bytes of a content source, streamed from the reader (asked
// for only when the file is to be counted: the wide table may leave it out by its name alone).
// Bytes that cannot all be read leave the file Unreadable, with what was read counted.
[[nodiscard]] FileLines TallyContent(const std::string& name, const ContentReader& reader,
                                     std::size_t index, std::uint32_t flags,
                                     const StopToken* stop = nullptr,
                                     const Selection* content = nullptr);

// The lines of the file that count under flags; 0 when the file cannot be opened or read.
// The file is only read: no lock is taken or waited for, and a read that would block ends
// the file with the lines read so far.
[[nodiscard]] std::uint64_t CountFile(const std::string& fullPath, std::uint32_t flags);

// The same for the file name in an open folder of the walk (by fullPath when folder is null):
// TallyFile(...).kinds.Counted(flags).
[[nodiscard]] std::uint64_t CountFile(const FolderRef& folder, const std::string& name,
                                      const std::string& fullPath, std::uint32_t flags,
                                      const StopToken* stop = nullptr);

}  // namespace lintally::scan
