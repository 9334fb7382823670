// One git object's bytes read as a stream, inflated as they are read: a loose object, or one
// stored whole in a pack. Memory stays the same whatever the object's size, and an object
// cut short or damaged ends the stream with Failed() and a reason, never a loop.
//
// An object stored in a pack as a delta against another is not read here (Open says so):
// rebuilding it needs its base in memory, which libgit2 does.
//
// Owned by one reader; one thread at a time.
#pragma once

#include <cstdint>
#include <string>

#include "fileio/Stream.h"
#include "gitsel/ObjectInflater.h"
#include "gitsel/PackIndex.h"

namespace lintally::gitsel {

class ObjectStream final : public Brim::IStream
{
public:
    enum class Opened
    {
        Ok,
        Delta,    // packed as a delta: read it another way
        Missing,  // neither loose nor in a pack this reader knows
        Damaged,  // Error() says why
    };

    // Opens the object id (kObjectIdBytes bytes) of objectsDir, loose or in one of packs.
    // type: the object's type as git names it ("blob", "tree", ...) once Ok.
    [[nodiscard]] Opened Open(const std::string& objectsDir, const PackIndex& packs,
                              const unsigned char* id);

    [[nodiscard]] const std::string& Type() const { return m_type; }
    [[nodiscard]] std::uint64_t Size() const { return m_size; }
    // True when a read found the object damaged or cut short; Error() says how.
    [[nodiscard]] bool Failed() const { return !Error().empty(); }
    [[nodiscard]] const std::string& Error() const
    {
        return m_error.empty() ? m_inflater.Error() : m_error;
    }

    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    std::uint32_t Write(const void* buffer, std::uint32_t count) override;
    std::uint32_t GetMode() override;
    // Only back to the start (which inflates again from the object's first byte).
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetSize() override;
    bool Truncate() override;

private:
    Opened Start();
    Opened StartLoose();
    Opened StartPacked();
    Opened Damage(std::string why);

    ObjectInflater m_inflater;
    std::string m_path;          // the loose file or the pack
    std::uint64_t m_offset = 0;  // where the object starts in m_path
    bool m_packed = false;
    std::string m_type;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    std::string m_error;  // what is wrong that the inflater did not find
};

}  // namespace lintally::gitsel
