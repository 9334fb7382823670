#include "gitsel/IndexFile.h"

#include <string>

namespace lintally::gitsel {

namespace {

constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kIdBytes = 20;  // SHA-1; libgit2 here opens no other kind of repository
// ctime, mtime (seconds and nanoseconds), dev, ino, mode, uid, gid, size, object id, flags.
constexpr std::size_t kFixedEntryBytes = 40 + kIdBytes + 2;
constexpr std::uint16_t kExtendedFlag = 0x4000;
constexpr std::uint16_t kSkipWorktreeFlag = 0x4000;
constexpr std::uint32_t kModeTypeMask = 0170000;
constexpr std::uint32_t kModeFolder = 0040000;

std::uint32_t Be32(std::string_view bytes, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

std::uint16_t Be16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

// Version 4's count of bytes to drop from the previous path: git's offset varint, where
// each continuation adds one before shifting so that no value has two spellings.
bool ReadVarint(std::string_view bytes, std::size_t& at, std::size_t& value)
{
    if (at >= bytes.size()) {
        return false;
    }
    auto c = static_cast<unsigned char>(bytes[at++]);
    value = c & 0x7Fu;
    while ((c & 0x80u) != 0) {
        if (at >= bytes.size() || value > (SIZE_MAX >> 8)) {
            return false;
        }
        c = static_cast<unsigned char>(bytes[at++]);
        value = ((value + 1) << 7) | (c & 0x7Fu);
    }
    return true;
}

// Whether the extensions after the entries (each a 4-byte signature and a 32-bit size) hold
// one that changes what the entries mean: a split index ("link") or a sparse one ("sdir").
bool ExtensionsAreHarmless(std::string_view bytes, std::size_t at)
{
    if (bytes.size() < at + kIdBytes) {
        return false;
    }
    const std::size_t end = bytes.size() - kIdBytes;
    while (at < end) {
        if (end - at < 8) {
            return false;
        }
        const std::string_view signature = bytes.substr(at, 4);
        if (signature == "link" || signature == "sdir") {
            return false;
        }
        const std::size_t size = Be32(bytes, at + 4);
        if (size > end - at - 8) {
            return false;
        }
        at += 8 + size;
    }
    return at == end;
}

}  // namespace

bool ReadIndexEntries(std::string_view bytes, const std::function<void(const IndexEntry&)>& visit)
{
    if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != "DIRC") {
        return false;
    }
    const std::uint32_t version = Be32(bytes, 4);
    if (version < 2 || version > 4) {
        return false;
    }
    const std::uint32_t count = Be32(bytes, 8);
    std::size_t at = kHeaderBytes;
    std::string path;  // version 4 builds each path from the one before
    for (std::uint32_t i = 0; i < count; ++i) {
        if (bytes.size() - at < kFixedEntryBytes) {
            return false;
        }
        const std::size_t start = at;
        IndexEntry entry;
        entry.mode = Be32(bytes, at + 24);
        const std::uint16_t flags = Be16(bytes, at + 40 + kIdBytes);
        entry.stage = (flags >> 12) & 3u;
        at += kFixedEntryBytes;
        if ((flags & kExtendedFlag) != 0) {
            if (version < 3 || bytes.size() - at < 2) {
                return false;
            }
            entry.skipWorktree = (Be16(bytes, at) & kSkipWorktreeFlag) != 0;
            at += 2;
        }
        std::size_t drop = 0;
        if (version == 4 && !ReadVarint(bytes, at, drop)) {
            return false;
        }
        const std::size_t nul = bytes.find('\0', at);
        if (nul == std::string_view::npos) {
            return false;
        }
        if (version == 4) {
            if (drop > path.size()) {
                return false;
            }
            path.resize(path.size() - drop);
            path.append(bytes.substr(at, nul - at));
            entry.path = path;
            at = nul + 1;
        } else {
            entry.path = bytes.substr(at, nul - at);
            // Padded with one to eight NULs to a multiple of eight bytes.
            at = start + ((nul - start + 8) & ~std::size_t{7});
            if (at > bytes.size()) {
                return false;
            }
        }
        if ((entry.mode & kModeTypeMask) == kModeFolder || entry.path.empty()) {
            return false;
        }
        visit(entry);
    }
    return ExtensionsAreHarmless(bytes, at);
}

}  // namespace lintally::gitsel
