#include "gitsel/ObjectStream.h"
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace lintally::gitsel {

namespace {

constexpr std::size_t kLongestHeader = 32;  // "commit " and a 64-bit size, with room to spare

const char* const kPackedTypes[] = {nullptr, "commit", "tree", "blob", "tag"};
constexpr int kOfsDelta = 6;
constexpr int kRefDelta = 7;

std::string LoosePath(const std::string& objectsDir, const unsigned char* id)
{
    char hex[2 * kObjectIdBytes + 2] = {};
    for (std::size_t i = 0; i < kObjectIdBytes; ++i) {
        std::snprintf(hex + 2 * i + (i == 0 ? 0 : 1), 3, "%02x", id[i]);
        if (i == 0) {
            hex[2] = '/';
        }
    }
    return objectsDir + "/" + hex;
}

// A loose object's header, "TYPE SIZE": false when it is not one.
bool ParseHeader(const std::string& header, std::string& type, std::uint64_t& size)
{
    const std::size_t space = header.find(' ');
    if (space == std::string::npos || space + 1 == header.size()) {
        return false;
    }
    type = header.substr(0, space);
    const char* end = header.data() + header.size();
    const auto [at, code] = std::from_chars(header.data() + space + 1, end, size);
    return code == std::errc() && at == end;
}

}  // namespace

ObjectStream::Opened ObjectStream::Open(const std::string& objectsDir, const PackIndex& packs,
                                        const unsigned char* id)
{
    m_path = LoosePath(objectsDir, id);
    m_packed = false;
    std::error_code failure;
    if (!std::filesystem::exists(m_path, failure)) {
        const std::optional<PackedAt> packed = packs.Find(id);
        if (!packed) {
            return Opened::Missing;
        }
        m_path = packed->pack;
        m_offset = packed->offset;
        m_packed = true;
    }
    return Start();
}

ObjectStream::Opened ObjectStream::Damage(std::string why)
{
    m_error = std::move(why);
    return Opened::Damaged;
}

ObjectStream::Opened ObjectStream::Start()
{
    m_position = 0;
    m_error.clear();
    return m_packed ? StartPacked() : StartLoose();
}

ObjectStream::Opened ObjectStream::StartLoose()
{
    std::string header;
    if (!m_inflater.Open(m_path, 0) || !m_inflater.ReadUntilNul(header, kLongestHeader)) {
        return Opened::Damaged;
    }
    return ParseHeader(header, m_type, m_size) ? Opened::Ok
                                               : Damage("its header is not a git object's");
}

// A pack entry opens with its type and its inflated size, 7 bits a byte after the first 4.
ObjectStream::Opened ObjectStream::StartPacked()
{
    unsigned char bytes[kLongestHeader] = {};
    PositionedFile file;
    const std::int64_t got = file.Open(m_path) ? file.ReadAt(m_offset, bytes, sizeof bytes) : -1;
    std::size_t used = 0;
    const int type = got > 0 ? (bytes[0] >> 4) & 7 : 0;
    std::uint64_t size = got > 0 ? bytes[0] & 15U : 0;
    for (unsigned shift = 4; got > 0 && (bytes[used] & 0x80) != 0 && shift < 64; shift += 7) {
        if (++used >= static_cast<std::size_t>(got)) {
            break;
        }
        size |= std::uint64_t{bytes[used] & 0x7fU} << shift;
    }
    if (got <= 0 || used >= static_cast<std::size_t>(got) || (bytes[used] & 0x80) != 0) {
        return Damage("its pack entry's header cannot be read (the pack is cut short)");
    }
    if (type == kOfsDelta || type == kRefDelta) {
        return Opened::Delta;
    }
    if (type < 1 || type > 4) {
        return Damage("its pack entry has no object type");
    }
    m_type = kPackedTypes[type];
    m_size = size;
    return m_inflater.Open(m_path, m_offset + used + 1) ? Opened::Ok : Opened::Damaged;
}

std::uint32_t ObjectStream::Read(void* buffer, std::uint32_t count)
{
    if (buffer == nullptr || Failed()) {
        return 0;
    }
    const auto want =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(count, m_size - m_position));
    const std::size_t got = m_inflater.Read(buffer, want);
    m_position += got;
    if (got < want && !Failed()) {
        m_error = "it is shorter than its header says";
    } else if (m_position == m_size) {
        (void)m_inflater.AtEnd();
    }
    return static_cast<std::uint32_t>(got);
}

std::uint32_t ObjectStream::Write(const void*, std::uint32_t)
{
    return 0;
}

std::uint32_t ObjectStream::GetMode()
{
    return Brim::ModeRead;
}

bool ObjectStream::Seek(std::int32_t offset, int origin)
{
    return offset == 0 && origin == Brim::SeekBegin && Start() == Opened::Ok;
}

std::uint32_t ObjectStream::GetPosition()
{
    return static_cast<std::uint32_t>(m_position);
}

std::uint32_t ObjectStream::GetSize()
{
    return static_cast<std::uint32_t>(m_size);
}

bool ObjectStream::Truncate()
{
    return false;
}

}  // namespace lintally::gitsel
