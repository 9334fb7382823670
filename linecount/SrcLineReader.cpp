#include "linecount/SrcLineReader.h"

#include <cstring>
#include <memory>
#include <new>

namespace PrjHelper {

namespace {

// Run reads this much per stream call; a scan reads many small files, so the block is
// kept per thread rather than allocated per file.
constexpr std::uint32_t kBlockSize = 128 * 1024;
// ReadLine reads this much ahead and gives back what lies past the LF.
constexpr std::uint32_t kLineChunk = 4096;
// Used only when no block can be had from the heap.
constexpr std::uint32_t kFallbackSize = 4096;

struct ThreadBlock
{
    std::unique_ptr<char[]> data;
    bool busy = false;
};

thread_local ThreadBlock t_block;

// Lends Run its read buffer: the thread's block when it is free, otherwise (a hook running
// another reader on the same thread) a block of its own, and a small one if memory is short.
class BlockLease
{
public:
    BlockLease()
    {
        if (!t_block.busy) {
            if (!t_block.data)
                t_block.data.reset(new (std::nothrow) char[kBlockSize]);
            if (t_block.data) {
                t_block.busy = true;
                m_borrowed = true;
                m_data = t_block.data.get();
                return;
            }
        }
        m_own.reset(new (std::nothrow) char[kBlockSize]);
        m_data = m_own ? m_own.get() : m_fallback;
        m_size = m_own ? kBlockSize : kFallbackSize;
    }
    BlockLease(const BlockLease&) = delete;
    BlockLease& operator=(const BlockLease&) = delete;
    ~BlockLease()
    {
        if (m_borrowed)
            t_block.busy = false;
    }

    char* Data() const { return m_data; }
    std::uint32_t Size() const { return m_size; }

private:
    char* m_data = nullptr;
    std::uint32_t m_size = kBlockSize;
    bool m_borrowed = false;
    std::unique_ptr<char[]> m_own;
    char m_fallback[kFallbackSize];
};

}  // namespace

CSrcLineReader::CSrcLineReader() : m_StreamMgr(nullptr), m_Hooks(16) {}

CSrcLineReader::CSrcLineReader(Brim::IStream* borrowed) : m_StreamMgr(borrowed), m_Hooks(16) {}

std::int32_t CSrcLineReader::AddHook(ISrcLineHook* hook)
{
    if (hook == nullptr)
        return 0;
    try {
        return m_Hooks.InsertAt(m_Hooks.GetCount(), &hook, 1) != 0 ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;  // the list could not grow; the hook is not added
    }
}

bool CSrcLineReader::Open(const char* path)
{
    if (path == nullptr)
        return false;
    m_StreamMgr.Open(path, Brim::ModeRead, false);
    return m_StreamMgr.GetStream() != nullptr;
}

std::int32_t CSrcLineReader::Run()
{
    Brim::IStream* stream = m_StreamMgr.GetStream();
    if (stream == nullptr)
        return 0;
    for (std::uint32_t i = 0; i < m_Hooks.GetCount(); ++i)
        m_Hooks.GetAt(i)->OnBegin(*stream);

    BlockLease block;
    Hoard::CRefStr carry;  // a line that runs across blocks, gathered here
    bool pending = false;  // carry holds the start of an unfinished line
    try {
        for (;;) {
            const std::uint32_t got = stream->Read(block.Data(), block.Size());
            if (got == 0)
                break;
            SendBlock(block.Data(), got, carry, pending);
        }
        if (pending)
            SendLine(carry.GetText());
    } catch (const std::bad_alloc&) {
        // No room for a very long line: the run ends there, as at a read error.
    }

    for (std::uint32_t i = 0; i < m_Hooks.GetCount(); ++i)
        m_Hooks.GetAt(i)->OnEnd();
    return 0;
}

// Sends every line that ends inside data. A line wholly inside the block is terminated in
// place (its LF becomes the NUL) and sent from the block itself; a line that began in an
// earlier block is finished in carry. Bytes after the last LF go to carry for the next block.
void CSrcLineReader::SendBlock(char* data, std::uint32_t size, Hoard::CRefStr& carry,
                               bool& pending)
{
    // The usual reader has one hook (its counter): it is looked up once per block and called
    // directly. Hooks are only ever added, so a changed count sends lines the general way.
    const std::uint32_t hooks = m_Hooks.GetCount();
    ISrcLineHook* const only = hooks == 1 ? m_Hooks.GetAt(0) : nullptr;
    char* at = data;
    char* const end = data + size;
    while (at < end) {
        char* lf = static_cast<char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (lf == nullptr) {
            carry.Append(at, static_cast<std::uint32_t>(end - at));
            pending = true;
            return;
        }
        if (pending) {
            carry.Append(at, static_cast<std::uint32_t>(lf - at));
            SendLine(carry.GetText());
            carry.Clear();
            pending = false;
        } else {
            *lf = '\0';
            if (only != nullptr && m_Hooks.GetCount() == 1)
                only->OnLine(at);
            else
                SendLine(at);
        }
        at = lf + 1;
    }
}

void CSrcLineReader::SendLine(const char* line)
{
    const char* text = line != nullptr ? line : "";
    for (std::uint32_t i = 0; i < m_Hooks.GetCount(); ++i)
        m_Hooks.GetAt(i)->OnLine(text);
}

bool CSrcLineReader::ReadLine(Brim::IStream& stream, Hoard::CRefStr& line)
{
    line.Clear();
    char chunk[kLineChunk];
    bool gathered = false;
    try {
        for (;;) {
            const std::uint32_t got = stream.Read(chunk, sizeof chunk);
            if (got == 0)
                return gathered;
            const void* lf = std::memchr(chunk, '\n', got);
            if (lf != nullptr) {
                const auto before =
                    static_cast<std::uint32_t>(static_cast<const char*>(lf) - chunk);
                stream.SeekBack(got - before - 1);
                line.Append(chunk, before);
                return true;
            }
            line.Append(chunk, got);
            gathered = true;
        }
    } catch (const std::bad_alloc&) {
        return gathered;  // no room for the whole line: it ends with what fitted
    }
}

}  // namespace PrjHelper
