#include "scan/DuplicateFiles.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lintally::scan {

namespace {

constexpr std::uint32_t kBlockBytes = 64 * 1024;
constexpr std::uint64_t kMultiplyA = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kMultiplyB = 0xC2B2AE3D27D4EB4FULL;

std::uint64_t Rotate(std::uint64_t value, int by)
{
    return (value << by) | (value >> (64 - by));
}

// Spreads every input bit over the whole result (a murmur-style finish).
std::uint64_t Finish(std::uint64_t hash)
{
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ULL;
    return hash ^ (hash >> 33);
}

// Reads up to want bytes, however the stream cuts its reads; fewer only at its end.
std::uint32_t ReadFull(Brim::IStream& stream, unsigned char* buffer, std::uint32_t want)
{
    std::uint32_t got = 0;
    while (got < want) {
        const std::uint32_t read = stream.Read(buffer + got, want - got);
        if (read == 0) {
            break;
        }
        got += read;
    }
    return got;
}

// Calls each(key, indexes) for every key that two or more of sorted's (key, index) pairs
// share, with their indexes ascending.
template <class Each>
void ForEachSharedKey(const std::vector<std::pair<std::uint64_t, std::size_t>>& sorted, Each each)
{
    std::vector<std::size_t> run;
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        run.push_back(sorted[i].second);
        if (i + 1 == sorted.size() || sorted[i + 1].first != sorted[i].first) {
            if (run.size() > 1) {
                each(sorted[i].first, run);
            }
            run.clear();
        }
    }
}

bool SameBytes(IFileBytes& files, std::size_t a, std::size_t b, std::uint64_t size,
               std::vector<unsigned char>& one, std::vector<unsigned char>& two)
{
    Brim::IStream* first = files.Open(a, 0);
    Brim::IStream* second = files.Open(b, 1);
    if (first == nullptr || second == nullptr) {
        return false;
    }
    std::uint64_t seen = 0;
    for (;;) {
        const std::uint32_t got = ReadFull(*first, one.data(), kBlockBytes);
        if (ReadFull(*second, two.data(), kBlockBytes) != got ||
            std::memcmp(one.data(), two.data(), got) != 0) {
            return false;
        }
        seen += got;
        if (got < kBlockBytes) {
            return seen == size;
        }
    }
}

// Marks in copy each file of run (indexes of one size and one hash, ascending) whose bytes
// equal those of an earlier one; files that differ despite the hash each stay.
void MarkCopies(IFileBytes& files, const std::vector<std::size_t>& run, std::uint64_t size,
                std::vector<bool>& copy)
{
    std::vector<unsigned char> one(kBlockBytes);
    std::vector<unsigned char> two(kBlockBytes);
    std::vector<std::size_t> originals;
    for (const std::size_t index : run) {
        for (const std::size_t original : originals) {
            if (SameBytes(files, original, index, size, one, two)) {
                copy[index] = true;
                break;
            }
        }
        if (!copy[index]) {
            originals.push_back(index);
        }
    }
}

// Hashes the files of one size (ascending indexes) and marks the copies among them.
void MarkCopiesOfSize(IFileBytes& files, const std::vector<std::size_t>& sameSize,
                      std::uint64_t size, StreamHash hash, std::vector<bool>& copy)
{
    std::vector<std::pair<std::uint64_t, std::size_t>> byHash;
    for (const std::size_t index : sameSize) {
        Brim::IStream* stream = files.Open(index, 0);
        if (stream == nullptr) {
            continue;
        }
        const BytesHash hashed = hash(*stream);
        if (hashed.size == size) {
            byHash.emplace_back(hashed.hash, index);
        }
    }
    std::sort(byHash.begin(), byHash.end());
    ForEachSharedKey(byHash, [&](std::uint64_t, const std::vector<std::size_t>& run) {
        MarkCopies(files, run, size, copy);
    });
}

}  // namespace

BytesHash HashBytes(Brim::IStream& stream)
{
    std::vector<unsigned char> buffer(kBlockBytes);
    BytesHash result;
    std::uint64_t hash = kMultiplyB;
    std::uint32_t got = 0;
    do {
        got = ReadFull(stream, buffer.data(), kBlockBytes);
        result.size += got;
        // Whole words first; a block is cut short only at the end, where the tail follows.
        std::uint32_t at = 0;
        for (; at + 8 <= got; at += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, buffer.data() + at, 8);
            hash = Rotate(hash ^ (word * kMultiplyA), 31) * kMultiplyB;
        }
        for (; at < got; ++at) {
            hash = Rotate(hash ^ (buffer[at] * kMultiplyA), 23) * kMultiplyB;
        }
    } while (got == kBlockBytes);
    result.hash = Finish(hash ^ result.size);
    return result;
}

std::vector<bool> FindDuplicates(std::size_t count, IFileBytes& files, StreamHash hash)
{
    std::vector<bool> copy(count, false);
    std::vector<std::pair<std::uint64_t, std::size_t>> bySize;
    for (std::size_t index = 0; index < count; ++index) {
        if (const std::optional<std::uint64_t> size = files.Size(index); size && *size > 0) {
            bySize.emplace_back(*size, index);
        }
    }
    std::sort(bySize.begin(), bySize.end());
    ForEachSharedKey(bySize, [&](std::uint64_t size, const std::vector<std::size_t>& sameSize) {
        MarkCopiesOfSize(files, sameSize, size, hash, copy);
    });
    return copy;
}

}  // namespace lintally::scan
