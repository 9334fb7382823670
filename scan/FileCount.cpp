#include "scan/FileCount.h"

#include <algorithm>
#include <utility>

#include "fileio/MemoryStream.h"
#include "fileio/ReadOnlyFile.h"
#include "linecount/ContentLanguage.h"
#include "linecount/DetailTally.h"
#include "linecount/EmbeddedSplitter.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "linecount/ReadBlock.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"
#include "scan/ContentCheck.h"
#include "scan/GeneratedFile.h"

namespace lintally::scan {

std::uint32_t MakeCountFlags(bool includeRemed, bool excludeBlank, bool trackBlocks)
{
    std::uint32_t flags = 0;
    if (includeRemed) {
        flags |= PrjHelper::CF_COUNT_REMED;
    }
    if (!excludeBlank) {
        flags |= PrjHelper::CF_COUNT_BLANK;
    }
    if (trackBlocks) {
        flags |= PrjHelper::CF_TRACK_BLOCKS;
    }
    return flags;
}

std::uint64_t FileLines::Counted(std::uint32_t flags) const
{
    std::uint64_t lines = kinds.Counted(flags);
    for (const PrjHelper::EmbeddedPart& part : embedded) {
        lines += part.kinds.Counted(flags);
    }
    return lines;
}

std::uint64_t CountFile(const std::string& fullPath, std::uint32_t flags)
{
    return CountFile(nullptr, fullPath, fullPath, flags);
}

namespace {

std::function<bool()> KeepGoing(const StopToken* stop)
{
    if (stop == nullptr) {
        return {};
    }
    return [stop] { return !stop->StopRequested(); };
}

// The content choices of a count that leaves nothing out for what it holds.
const Selection kKeepAll;

// A read that failed part-way leaves what was read counted, and the file reported as one
// that could not be read (whole).
void MarkFailedRead(const Brim::ReadOnlyFile& stream, FileLines& file)
{
    if (stream.Failed()) {
        file.skipped = SkipReason::Unreadable;
    }
}

// Complexity reads every file line by line; embedded code is looked for only in the files of
// languages that hold it, so other files keep the one-pass count.
bool NeedsDetail(std::uint32_t flags, std::int32_t lang)
{
    return (flags & PrjHelper::CF_COMPLEXITY) != 0 ||
           ((flags & PrjHelper::CF_EMBEDDED) != 0 &&
            PrjHelper::EmbedHostOf(lang) != PrjHelper::EmbedHost::None);
}

// The detailed count of the stream; keeps its complexity and embedded parts in file.
PrjHelper::WideTallyResult TallyDetail(Brim::IStream& stream, bool sniff, std::uint32_t flags,
                                       const std::function<bool()>& keepGoing,
                                       std::string_view head, FileLines& file)
{
    PrjHelper::DetailTallyResult detail =
        PrjHelper::TallyDetailedLines(stream, file.lang, sniff, flags, keepGoing, head);
    file.complexity = detail.complexity;
    file.embedded = std::move(detail.embedded);
    return detail.host;
}

// What the wide count learns from a file's name alone.
struct NameLook
{
    const PrjHelper::SharedSuffix* shared;  // the languages that share its suffix, if any
    std::int32_t lang;                      // 0: none, or one told by its bytes
    bool kept;                              // counted, as far as the name tells
    bool sniff;                             // a name without a suffix: its "#!" line may tell
    bool unknown;                           // no language can be the file's: never read
    bool generated;                         // the name says it is generated (and such are left out)
};

NameLook LookAtName(const std::string& name, std::uint32_t flags, const Selection* content)
{
    NameLook look{};
    look.shared = PrjHelper::FindSharedSuffix(name);
    look.lang = PrjHelper::WideLanguageOfName(name);
    look.kept = look.lang != 0 || (flags & PrjHelper::CF_KNOWN_ONLY) == 0;
    // Only a name without a suffix may be a script known by its first line.
    look.sniff = look.lang == 0 && name.find('.') == std::string::npos;
    look.unknown = !look.kept && !look.sniff && look.shared == nullptr;
    look.generated =
        !look.unknown && content != nullptr && content->skipGenerated && IsGeneratedName(name);
    return look;
}

// open(file, head) gives the stream to count, or null when nothing is to be read, with
// file.skipped saying why; head, when given, receives the file's first bytes (see
// ContentCheck.h). A template, not a std::function: the opener is called once a file, and a
// std::function of its captures would allocate for every file.
//
// The wide table names the language by the file's name, by its first bytes where its suffix
// is shared (ContentLanguage.h), or by its "#!" line where it has no suffix. A generated file
// is left out, when content asks for that, once its language is known.
template <typename OpenStream>
FileLines TallyWide(const std::string& name, std::uint32_t flags, const StopToken* stop,
                    const Selection* content, const OpenStream& open)
{
    FileLines file;
    const bool skipGenerated = content != nullptr && content->skipGenerated;
    const NameLook look = LookAtName(name, flags, content);
    const PrjHelper::SharedSuffix* shared = look.shared;
    const bool knownOnly = (flags & PrjHelper::CF_KNOWN_ONLY) != 0;
    const bool sniff = look.sniff;
    file.lang = look.lang;
    file.kept = look.kept;
    if (look.unknown) {
        return file;
    }
    if (look.generated) {
        file.skipped = SkipReason::Generated;
        return file;
    }
    // The first block is read once, into a block of the thread's, and counted from there.
    const PrjHelper::ReadBlock block;
    FileHead read{block.Data(), block.Size(), {}};
    std::string spare;  // room when memory is too short for the thread's block
    if (read.roomSize < kBinaryProbeBytes) {
        spare.resize(kBinaryProbeBytes);
        read = {spare.data(), spare.size(), {}};
    }
    const bool needHead = skipGenerated || shared != nullptr;
    Brim::IStream* stream = open(file, needHead ? &read : nullptr);
    // The content rules look at the bytes the binary probe looks at.
    const std::string_view head = read.bytes.substr(0, kBinaryProbeBytes);
    if (stream != nullptr && shared != nullptr) {
        file.lang = PrjHelper::WideLanguageOfHead(*shared, head);
        file.kept = file.lang != 0 || !knownOnly;
    }
    if (stream == nullptr || (!file.kept && !sniff)) {
        // A file the table does not know was never one to count.
        if (!file.kept) {
            file.skipped.reset();
        }
        return file;
    }
    const auto generated = [&] {
        return skipGenerated && file.kept && IsGeneratedHead(head, file.lang);
    };
    if (!sniff && generated()) {
        file.skipped = SkipReason::Generated;
        return file;
    }
    const PrjHelper::WideTallyResult tally =
        NeedsDetail(flags, file.lang)
            ? TallyDetail(*stream, sniff, flags, KeepGoing(stop), read.bytes, file)
            : PrjHelper::TallyWideLines(*stream, file.lang, sniff, flags, KeepGoing(stop),
                                        read.bytes);
    file.kinds = tally.kinds;
    file.lang = tally.lang;
    file.kept = file.lang != 0 || !knownOnly;
    if (sniff && generated()) {
        file.kinds = {};
        file.complexity = 0;
        file.embedded.clear();
        file.skipped = SkipReason::Generated;
    }
    return file;
}

// The one count behind files and buffers: the language from the name, then the stream.
template <typename OpenStream>
FileLines Tally(const std::string& name, std::uint32_t flags, const StopToken* stop,
                const Selection* content, const OpenStream& open)
{
    if ((flags & PrjHelper::CF_WIDE_TABLE) != 0) {
        return TallyWide(name, flags, stop, content, open);
    }
    FileLines file;
    char ext[8] = {};
    file.lang = PrjHelper::GetPathLanguage(name.c_str(), ext, sizeof ext);
    Brim::IStream* stream = open(file, nullptr);
    if (stream != nullptr) {
        file.kinds = PrjHelper::TallyLines(*stream, file.lang, flags, KeepGoing(stop));
    }
    return file;
}

}  // namespace

bool OpensFile(const std::string& name, std::uint32_t flags, const Selection* content)
{
    if ((flags & PrjHelper::CF_WIDE_TABLE) == 0) {
        return true;
    }
    const NameLook look = LookAtName(name, flags, content);
    return !look.unknown && !look.generated;
}

FileLines TallyFile(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                    std::uint32_t flags, const StopToken* stop, const Selection* content,
                    int* openedAhead)
{
    Brim::ReadOnlyFile stream;
    const int opened = openedAhead != nullptr ? *openedAhead : Brim::FileBatch::kNotTried;
    bool asked = false;  // whether the count opened the file
    FileLines counted =
        Tally(name, flags, stop, content, [&](FileLines& file, FileHead* head) -> Brim::IStream* {
            asked = true;
            if (!OpenEntry(stream, folder, name, fullPath, opened)) {
                file.skipped = SkipReason::Unreadable;
                return nullptr;
            }
            if (content != nullptr || head != nullptr) {
                file.skipped = CheckContent(stream, content != nullptr ? *content : kKeepAll, head);
            }
            return file.skipped ? nullptr : &stream;
        });
    MarkFailedRead(stream, counted);
    if (openedAhead != nullptr) {
        *openedAhead = asked ? ReleaseEntry(stream) : std::max(opened, -1);
    }
    return counted;
}

FileLines TallyContent(const std::string& name, const ContentReader& reader, std::size_t index,
                       std::uint32_t flags, const StopToken* stop, const Selection* content)
{
    IContentReader* opened = nullptr;
    FileLines counted =
        Tally(name, flags, stop, content, [&](FileLines& file, FileHead* head) -> Brim::IStream* {
            opened = reader();
            Brim::IStream* stream = nullptr;
            std::uint64_t size = 0;
            file.skipped =
                opened == nullptr
                    ? SkipReason::Unreadable
                    : opened->Open(index, content != nullptr ? content->maxSize : 0, stream, size);
            if (file.skipped) {
                return nullptr;
            }
            if (content != nullptr || head != nullptr) {
                file.skipped =
                    CheckContent(*stream, size, content != nullptr ? *content : kKeepAll, head);
            }
            return file.skipped ? nullptr : stream;
        });
    if (opened != nullptr && !counted.skipped && opened->Failed()) {
        counted.skipped = SkipReason::Unreadable;
    }
    return counted;
}

namespace {

// One buffer as a content source's only file.
class BufferReader final : public IContentReader
{
public:
    explicit BufferReader(std::string_view bytes) : m_bytes(bytes), m_stream(bytes) {}

    std::optional<SkipReason> Open(std::size_t, std::uint64_t, Brim::IStream*& stream,
                                   std::uint64_t& size) override
    {
        stream = &m_stream;
        size = m_bytes.size();
        return std::nullopt;
    }

    bool Failed() const override { return false; }

private:
    std::string_view m_bytes;
    Brim::MemoryStream m_stream;
};

}  // namespace

FileLines TallyBuffer(const std::string& name, std::string_view bytes, std::uint32_t flags,
                      const StopToken* stop, const Selection* content)
{
    BufferReader reader(bytes);
    return TallyContent(
        name, [&reader] { return &reader; }, 0, flags, stop, content);
}

std::uint64_t CountFile(const FolderRef& folder, const std::string& name,
                        const std::string& fullPath, std::uint32_t flags, const StopToken* stop)
{
    return TallyFile(folder, name, fullPath, flags, stop).Counted(flags);
}

}  // namespace lintally::scan
