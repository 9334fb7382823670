// Where objects lie in a repository's packs: each pack's index (version 2) mapped once and
// searched by object id, and the check that a pack still ends as its index says.
//
// Owned by one reader; one thread at a time. Lookups read only the mapped indexes; a pack
// whose index is not of a form understood here is simply not searched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lintally::gitsel {

inline constexpr std::size_t kObjectIdBytes = 20;

struct PackedAt
{
    std::string pack;  // the pack file's path
    std::uint64_t offset = 0;
};

class PackIndex
{
public:
    // Maps the index of every pack in objectsDir (the repository's objects folder).
    explicit PackIndex(const std::string& objectsDir);
    ~PackIndex();
    PackIndex(const PackIndex&) = delete;
    PackIndex& operator=(const PackIndex&) = delete;

    // Where the object with id (kObjectIdBytes bytes) starts in a pack; none when no index
    // lists it.
    [[nodiscard]] std::optional<PackedAt> Find(const unsigned char* id) const;

private:
    struct Mapped;
    std::vector<Mapped> m_indexes;
};

// The pack files of objectsDir that no longer end with the checksum their index records: cut
// short, grown or replaced. libgit2 then treats every object in them as missing.
[[nodiscard]] std::vector<std::string> DamagedPacks(const std::string& objectsDir);

}  // namespace lintally::gitsel
