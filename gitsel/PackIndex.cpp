#include "gitsel/PackIndex.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "gitsel/MappedFile.h"
#include "gitsel/PositionedFile.h"

namespace lintally::gitsel {

namespace {

constexpr unsigned char kIndexMagic[] = {0xff, 't', 'O', 'c', 0, 0, 0, 2};
constexpr std::size_t kFanout = 256 * 4;
constexpr std::size_t kHeader = sizeof kIndexMagic + kFanout;

std::uint32_t Big32(const unsigned char* at)
{
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
           (std::uint32_t{at[2]} << 8) | std::uint32_t{at[3]};
}

std::vector<std::filesystem::path> IndexFiles(const std::string& objectsDir)
{
    std::vector<std::filesystem::path> found;
    std::error_code failure;
    for (std::filesystem::directory_iterator entry(objectsDir + "/pack", failure), end;
         !failure && entry != end; entry.increment(failure)) {
        if (entry->path().extension() == ".idx") {
            found.push_back(entry->path());
        }
    }
    return found;
}

// The last kObjectIdBytes bytes of a file from at bytes before its end; false when it is shorter.
bool ReadTail(const std::string& path, std::size_t before, unsigned char* out)
{
    PositionedFile file;
    std::uint64_t size = 0;
    return file.Open(path) && file.Size(size) && size >= before + kObjectIdBytes &&
           file.ReadAt(size - (before + kObjectIdBytes), out, kObjectIdBytes) ==
               static_cast<std::int64_t>(kObjectIdBytes);
}

}  // namespace

struct PackIndex::Mapped
{
    std::string pack;
    MappedFile file;
    std::uint32_t count = 0;
};

PackIndex::PackIndex(const std::string& objectsDir)
{
    for (const std::filesystem::path& path : IndexFiles(objectsDir)) {
        MappedFile file;
        if (!file.Map(path.string()) || file.Size() < kHeader + 2 * kObjectIdBytes) {
            continue;
        }
        const unsigned char* bytes = file.Bytes();
        const std::uint32_t count = Big32(bytes + sizeof kIndexMagic + kFanout - 4);
        // The ids, CRCs and 32-bit offsets must all lie inside the file.
        const std::uint64_t needed =
            kHeader + std::uint64_t{count} * (kObjectIdBytes + 8) + 2 * kObjectIdBytes;
        if (std::memcmp(bytes, kIndexMagic, sizeof kIndexMagic) != 0 || needed > file.Size()) {
            continue;
        }
        m_indexes.push_back({std::filesystem::path(path).replace_extension(".pack").string(),
                             std::move(file), count});
    }
}

PackIndex::~PackIndex() = default;

std::optional<PackedAt> PackIndex::Find(const unsigned char* id) const
{
    for (const Mapped& index : m_indexes) {
        const unsigned char* fanout = index.file.Bytes() + sizeof kIndexMagic;
        const std::uint32_t low = id[0] == 0 ? 0 : Big32(fanout + 4 * (id[0] - 1));
        const std::uint32_t high = std::min(Big32(fanout + 4 * id[0]), index.count);
        const unsigned char* ids = index.file.Bytes() + kHeader;
        std::uint32_t first = low;
        std::uint32_t last = std::max(low, high);
        while (first < last) {
            const std::uint32_t middle = first + (last - first) / 2;
            const int order =
                std::memcmp(ids + std::size_t{middle} * kObjectIdBytes, id, kObjectIdBytes);
            if (order == 0) {
                const unsigned char* offsets =
                    ids + std::size_t{index.count} * (kObjectIdBytes + 4);
                const std::uint32_t small = Big32(offsets + std::size_t{middle} * 4);
                if ((small & 0x80000000U) == 0) {
                    return PackedAt{index.pack, small};
                }
                // A large offset: an entry in the 64-bit table after the 32-bit one.
                const std::size_t at =
                    std::size_t{index.count} * 4 + std::size_t{small & 0x7fffffffU} * 8;
                if (offsets + at + 8 + 2 * kObjectIdBytes >
                    index.file.Bytes() + index.file.Size()) {
                    return std::nullopt;
                }
                return PackedAt{index.pack, (std::uint64_t{Big32(offsets + at)} << 32) |
                                                Big32(offsets + at + 4)};
            }
            if (order < 0) {
                first = middle + 1;
            } else {
                last = middle;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> DamagedPacks(const std::string& objectsDir)
{
    std::vector<std::string> damaged;
    for (const std::filesystem::path& path : IndexFiles(objectsDir)) {
        const std::string pack = std::filesystem::path(path).replace_extension(".pack").string();
        unsigned char recorded[kObjectIdBytes];
        unsigned char actual[kObjectIdBytes];
        // The index ends with the pack's checksum and then its own.
        if (ReadTail(path.string(), kObjectIdBytes, recorded) &&
            (!ReadTail(pack, 0, actual) || std::memcmp(recorded, actual, kObjectIdBytes) != 0)) {
            damaged.push_back(pack);
        }
    }
    return damaged;
}

}  // namespace lintally::gitsel
