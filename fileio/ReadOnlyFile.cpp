// The parts of ReadOnlyFile that are the same on every system.
#include "fileio/ReadOnlyFile.h"

namespace Brim {

ReadOnlyFile::~ReadOnlyFile()
{
    Close();
}

bool ReadOnlyFile::IsOpen() const
{
    return m_handle != Closed();
}

std::uint32_t ReadOnlyFile::Write(const void*, std::uint32_t)
{
    return 0;
}

std::uint32_t ReadOnlyFile::GetMode()
{
    return ModeRead | ModeShareRead | ModeShareWrite | ModeShareDelete;
}

bool ReadOnlyFile::Truncate()
{
    return false;
}

bool ReadWholeFile(const char* path, std::string& bytes)
{
    bytes.clear();
    ReadOnlyFile file;
    if (!file.Open(path)) {
        return false;
    }
    // The first read asks for one byte more than the size, so a file that does not change
    // is read whole by one read and its end found by a second; the buffer grows only as far
    // as needed (making room costs as much as filling it).
    constexpr std::uint32_t kPiece = 1 << 20;
    std::uint64_t size = 0;
    std::uint32_t piece = file.GetByteSize(size) && size < kPiece * 1024 - 1
                              ? static_cast<std::uint32_t>(size) + 1
                              : kPiece;
    for (;;) {
        const std::size_t at = bytes.size();
        bytes.resize(at + piece);
        const std::uint32_t got = file.Read(bytes.data() + at, piece);
        bytes.resize(at + got);
        if (got == 0) {
            return !file.Failed();
        }
        // After a short read little or nothing is left; after a full one, more may follow.
        piece = got < piece ? 4096 : kPiece;
    }
}

}  // namespace Brim
