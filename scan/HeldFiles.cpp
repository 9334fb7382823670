#include "scan/HeldFiles.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

#include "fileio/ReadOnlyFile.h"
#include "scan/DuplicateFiles.h"
#include "scan/Row.h"

namespace lintally::scan {

namespace {

class HeldOnDisk final : public IFileBytes
{
public:
    explicit HeldOnDisk(const std::vector<HeldFile>& held) : m_held(held) {}

    // Asked of every held file: one stat, not an open and a close.
    std::optional<std::uint64_t> Size(std::size_t index) override
    {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(m_held[index].fullPath, error);
        if (error) {
            return std::nullopt;
        }
        return size;
    }

    Brim::IStream* Open(std::size_t index, int channel) override
    {
        Brim::ReadOnlyFile& file = m_files[static_cast<std::size_t>(channel)];
        return file.Open(m_held[index].fullPath.c_str()) ? &file : nullptr;
    }

private:
    const std::vector<HeldFile>& m_held;
    std::array<Brim::ReadOnlyFile, 2> m_files;
};

class HeldInSource final : public IFileBytes
{
public:
    HeldInSource(const std::vector<HeldFile>& held, const IContentSource& source)
        : m_held(held), m_readers{source.NewReader(), source.NewReader()}
    {}

    std::optional<std::uint64_t> Size(std::size_t index) override
    {
        std::uint64_t size = 0;
        if (OpenSized(index, 0, size) == nullptr) {
            return std::nullopt;
        }
        return size;
    }

    Brim::IStream* Open(std::size_t index, int channel) override
    {
        std::uint64_t size = 0;
        return OpenSized(index, channel, size);
    }

private:
    Brim::IStream* OpenSized(std::size_t index, int channel, std::uint64_t& size)
    {
        IContentReader* reader = m_readers[static_cast<std::size_t>(channel)].get();
        Brim::IStream* stream = nullptr;
        if (reader == nullptr || reader->Open(m_held[index].listed, 0, stream, size)) {
            return nullptr;
        }
        return stream;
    }

    const std::vector<HeldFile>& m_held;
    std::array<std::unique_ptr<IContentReader>, 2> m_readers;
};

}  // namespace

void TallyUnique(std::vector<HeldFile>& held, const IContentSource* source, ResultTally& tally)
{
    std::sort(held.begin(), held.end(),
              [](const HeldFile& a, const HeldFile& b) { return RowNameLess(a.Name(), b.Name()); });
    std::vector<bool> copies;
    if (source == nullptr) {
        HeldOnDisk files(held);
        copies = FindDuplicates(held.size(), files);
    } else {
        HeldInSource files(held, *source);
        copies = FindDuplicates(held.size(), files);
    }
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (copies[i]) {
            held[i].file.skipped = SkipReason::Duplicate;
        }
        tally.Add(held[i].Name(), held[i].file, held[i].flags);
    }
}

}  // namespace lintally::scan
