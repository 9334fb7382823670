// IStream: the byte-stream interface of the file layer, plus its open-mode flags and seek
// origins.
//
// Sizes, counts and positions are unsigned 32-bit; seek offsets are signed 32-bit. A stream
// reports failure through its results (0, false, 0xFFFFFFFF), never by throwing. A stream is
// never destroyed through an IStream pointer: its owner destroys it as its own type. No locks:
// one thread uses a stream at a time.
#pragma once

#include <cstdint>

namespace Brim {

// Open-mode flags. Bits other than these are kept with the mode and have no effect on the open.
enum : std::uint32_t
{
    ModeRead = 0x02,
    ModeWrite = 0x04,
    ModeShareRead = 0x10,
    ModeShareWrite = 0x20,
    ModeShareDelete = 0x40,
};

// Seek origins. Every other value, 0 as well, counts from the current position.
enum : int
{
    SeekBegin = 1,
    SeekEnd = 2,
    SeekCurrent = 3,
};

class IStream
{
public:
    // Bytes read at the current position; 0 for a null buffer, a zero count, a failure or the end.
    virtual std::uint32_t Read(void* buffer, std::uint32_t count) = 0;
    // Bytes written at the current position; 0 for a null buffer, a zero count or a failure.
    virtual std::uint32_t Write(const void* buffer, std::uint32_t count) = 0;
    // The mode flags of the last successful open.
    virtual std::uint32_t GetMode() = 0;
    // Moves the position to origin + offset; false when the move fails (e.g. before the start).
    virtual bool Seek(std::int32_t offset, int origin) = 0;
    // The current position; 0xFFFFFFFF when it cannot be read.
    virtual std::uint32_t GetPosition() = 0;
    // The size in bytes; 0 when it cannot be read.
    virtual std::uint32_t GetSize() = 0;
    // True exactly when the mode holds ModeWrite.
    virtual bool IsWritable();
    // Cuts the stream to size 0 (position 0); false when that fails.
    virtual bool Truncate() = 0;

    // Gives back count bytes: Seek(-count, SeekCurrent). A count that does not fit a negative
    // 32-bit offset fails instead of turning into a forward move.
    bool SeekBack(std::uint32_t count);

protected:
    IStream() = default;
    IStream(const IStream&) = default;
    IStream& operator=(const IStream&) = default;
    ~IStream() = default;
};

}  // namespace Brim
