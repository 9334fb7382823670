#include "scan/FileCount.h"

#include "fileio/ReadOnlyFile.h"
#include "linecount/LanguageTable.h"
#include "linecount/LineClassifier.h"
#include "linecount/LineTally.h"
#include "linecount/WideLanguages.h"
#include "linecount/WideTally.h"
#include "scan/ContentCheck.h"

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

// Opens the file for counting and lets content leave it out; false when nothing is to be
// read, with file.skipped saying why.
bool OpenToCount(Brim::ReadOnlyFile& stream, const FolderRef& folder, const std::string& name,
                 const std::string& fullPath, const Selection* content, FileLines& file)
{
    if (!OpenEntry(stream, folder, name, fullPath)) {
        file.skipped = SkipReason::Unreadable;
        return false;
    }
    if (content != nullptr) {
        file.skipped = CheckContent(stream, *content);
    }
    return !file.skipped;
}

// A read that failed part-way leaves what was read counted, and the file reported as one
// that could not be read (whole).
void MarkFailedRead(const Brim::ReadOnlyFile& stream, FileLines& file)
{
    if (stream.Failed()) {
        file.skipped = SkipReason::Unreadable;
    }
}

FileLines TallyWideFile(const FolderRef& folder, const std::string& name,
                        const std::string& fullPath, std::uint32_t flags, const StopToken* stop,
                        const Selection* content)
{
    FileLines file;
    const bool knownOnly = (flags & PrjHelper::CF_KNOWN_ONLY) != 0;
    file.lang = PrjHelper::WideLanguageOfName(name);
    file.kept = file.lang != 0 || !knownOnly;
    // Only a name without a suffix may be a script known by its first line.
    const bool sniff = file.lang == 0 && name.find('.') == std::string::npos;
    if (!file.kept && !sniff) {
        return file;
    }
    Brim::ReadOnlyFile stream;
    if (!OpenToCount(stream, folder, name, fullPath, content, file)) {
        // A file the table does not know by name was never one to count.
        if (!file.kept) {
            file.skipped.reset();
        }
        return file;
    }
    const PrjHelper::WideTallyResult tally =
        PrjHelper::TallyWideLines(stream, file.lang, sniff, flags, KeepGoing(stop));
    MarkFailedRead(stream, file);
    file.kinds = tally.kinds;
    file.lang = tally.lang;
    file.kept = file.lang != 0 || !knownOnly;
    return file;
}

}  // namespace

FileLines TallyFile(const FolderRef& folder, const std::string& name, const std::string& fullPath,
                    std::uint32_t flags, const StopToken* stop, const Selection* content)
{
    if ((flags & PrjHelper::CF_WIDE_TABLE) != 0) {
        return TallyWideFile(folder, name, fullPath, flags, stop, content);
    }
    FileLines file;
    char ext[8] = {};
    file.lang = PrjHelper::GetPathLanguage(name.c_str(), ext, sizeof ext);
    Brim::ReadOnlyFile stream;
    if (!OpenToCount(stream, folder, name, fullPath, content, file)) {
        return file;
    }
    file.kinds = PrjHelper::TallyLines(stream, file.lang, flags, KeepGoing(stop));
    MarkFailedRead(stream, file);
    return file;
}

std::uint64_t CountFile(const FolderRef& folder, const std::string& name,
                        const std::string& fullPath, std::uint32_t flags, const StopToken* stop)
{
    return TallyFile(folder, name, fullPath, flags, stop).kinds.Counted(flags);
}

}  // namespace lintally::scan
