// CSrcLineReader: turns one byte stream into lines and hands each line to its hooks.
//
// A line is the bytes before an LF, or the bytes after the last LF when the stream does not
// end with one. Only LF ends a line: a CR stays in the line's text. Hooks see each line as
// NUL-terminated text without its LF (a NUL inside the line ends what they see), valid only
// during the call. Events go to every hook in the order the hooks were added: OnBegin once,
// OnLine per line in stream order, OnEnd once; a stream that did not open gives no event.
//
// Ownership: the reader owns its stream manager (and so an opened file) but not its hooks,
// nor a stream it was given to borrow. One reader serves one stream on one thread. Hooks
// must not move the stream while Run is dispatching; Run reads ahead in large blocks.
#pragma once

#include <cstdint>

#include "fileio/Stream.h"
#include "fileio/StreamMgr.h"
#include "memory/List.h"
#include "memory/RefStr.h"

namespace PrjHelper {

// Receives the lines of one run. Never destroyed through this interface.
class ISrcLineHook
{
public:
    virtual void OnBegin(Brim::IStream& stream) = 0;
    virtual std::int32_t OnLine(const char* line) = 0;  // the result is ignored
    virtual void OnEnd() = 0;

protected:
    ISrcLineHook() = default;
    ISrcLineHook(const ISrcLineHook&) = default;
    ISrcLineHook& operator=(const ISrcLineHook&) = default;
    ~ISrcLineHook() = default;
};

class CSrcLineReader
{
public:
    CSrcLineReader();
    // Reads a stream that the caller keeps owning (it must outlive the reader's use of it).
    explicit CSrcLineReader(Brim::IStream* borrowed);
    CSrcLineReader(const CSrcLineReader&) = delete;
    CSrcLineReader& operator=(const CSrcLineReader&) = delete;

    // Appends a hook; returns the number added (1; 0 for a null hook or when memory is short).
    std::int32_t AddHook(ISrcLineHook* hook);

    // Opens path for reading with no sharing; true when the reader now has a stream.
    bool Open(const char* path);

    // Sends the whole stream to the hooks (nothing when there is no stream). Reads until the
    // stream's Read gives 0, so a read error ends the run like the end of the stream, and
    // streams of 4 GiB and more are read whole. Always returns 0.
    std::int32_t Run();

    // Reads the next line of stream into line (emptied first) and leaves the stream just
    // after the line's LF. Returns false when the stream had no more bytes.
    static bool ReadLine(Brim::IStream& stream, Hoard::CRefStr& line);

private:
    void SendLine(const char* line);
    void SendBlock(char* data, std::uint32_t size, Hoard::CRefStr& carry, bool& pending);

    Brim::CStreamMgr m_StreamMgr;
    Hoard::CList<ISrcLineHook*> m_Hooks;
};

}  // namespace PrjHelper
