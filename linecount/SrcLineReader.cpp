#include "linecount/SrcLineReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "linecount/ReadBlock.h"

namespace PrjHelper {

namespace {

// ReadLine reads this much ahead and gives back what lies past the LF.
constexpr std::uint32_t kLineChunk = 4096;

// Appends to carry, growing its block at least twofold so that gathering a line of any
// length copies each byte a bounded number of times.
void AppendGrowing(Hoard::CRefStr& carry, const char* bytes, std::uint32_t n)
{
    const std::uint64_t need = std::uint64_t{carry.GetLength()} + n;
    if (need + 1 > carry.GetBlockSize()) {
        const std::uint64_t doubled = std::uint64_t{carry.GetLength()} * 2;
        const std::uint64_t room = std::min<std::uint64_t>(std::max(need, doubled), 0xFFFFFFFEu);
        carry.Reserve(static_cast<std::uint32_t>(room));
    }
    carry.Append(bytes, n);
}

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

    ReadBlock block;
    Hoard::CRefStr carry;  // a line that runs across blocks, gathered here
    bool pending = false;  // carry holds the start of an unfinished line
    try {
        for (;;) {
            const std::uint32_t got = block.Read(*stream);
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
void CSrcLineReader::SendBlock(char* data, std::uint32_t size, Hoard::CRefStr& carry, bool& pending)
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
            AppendGrowing(carry, at, static_cast<std::uint32_t>(end - at));
            pending = true;
            return;
        }
        if (pending) {
            AppendGrowing(carry, at, static_cast<std::uint32_t>(lf - at));
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
