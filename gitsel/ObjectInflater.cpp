#include "gitsel/ObjectInflater.h"

#include <zlib.h>

#include <cstring>
#include <utility>

namespace lintally::gitsel {

namespace {

constexpr std::size_t kInputChunk = 64 * 1024;

}  // namespace

struct ObjectInflater::Zlib
{
    z_stream stream{};
    bool started = false;
    unsigned char input[kInputChunk];
};

ObjectInflater::ObjectInflater() : m_zlib(std::make_unique<Zlib>()) {}

ObjectInflater::~ObjectInflater()
{
    Close();
}

void ObjectInflater::Close()
{
    if (m_zlib->started) {
        inflateEnd(&m_zlib->stream);
        m_zlib->started = false;
    }
    m_file.Close();
}

bool ObjectInflater::Open(const std::string& path, std::uint64_t offset)
{
    Close();
    m_error.clear();
    m_ended = false;
    m_offset = offset;
    m_zlib->stream = z_stream{};
    if (!m_file.Open(path)) {
        Fail(m_file.Error());
        return false;
    }
    if (inflateInit(&m_zlib->stream) != Z_OK) {
        Fail("zlib cannot start");
        return false;
    }
    m_zlib->started = true;
    return true;
}

void ObjectInflater::Fail(std::string why)
{
    if (m_error.empty()) {
        m_error = std::move(why);
    }
}

std::size_t ObjectInflater::Read(void* out, std::size_t count)
{
    z_stream& z = m_zlib->stream;
    std::size_t given = 0;
    while (given < count && !m_ended && !Failed()) {
        if (z.avail_in == 0) {
            const std::int64_t got = m_file.ReadAt(m_offset, m_zlib->input, kInputChunk);
            if (got <= 0) {
                Fail(got < 0 ? m_file.Error() : "it is cut short (truncated)");
                break;
            }
            m_offset += static_cast<std::uint64_t>(got);
            z.next_in = m_zlib->input;
            z.avail_in = static_cast<uInt>(got);
        }
        const std::size_t want = std::min<std::size_t>(count - given, 1U << 30);
        z.next_out = static_cast<Bytef*>(out) + given;
        z.avail_out = static_cast<uInt>(want);
        const int code = inflate(&z, Z_NO_FLUSH);
        given += want - z.avail_out;
        if (code == Z_STREAM_END) {
            m_ended = true;
        } else if (code != Z_OK) {
            // Z_BUF_ERROR with input and room left means no progress can be made.
            Fail(code == Z_MEM_ERROR ? "zlib ran out of memory" : "its compressed data is damaged");
        }
    }
    return given;
}

bool ObjectInflater::ReadUntilNul(std::string& text, std::size_t limit)
{
    text.clear();
    char byte = 0;
    while (Read(&byte, 1) == 1) {
        if (byte == '\0') {
            return true;
        }
        if (text.size() == limit) {
            Fail("its header is not a git object's");
            return false;
        }
        text.push_back(byte);
    }
    Fail("it ends inside its header (truncated)");
    return false;
}

bool ObjectInflater::AtEnd()
{
    char extra = 0;
    if (Read(&extra, 1) != 0) {
        Fail("it holds more bytes than its header says");
    } else if (!m_ended) {
        Fail("it is cut short (truncated)");
    }
    return !Failed();
}

}  // namespace lintally::gitsel
