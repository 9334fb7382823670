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
    constexpr std::uint32_t kPiece = 1 << 20;
    for (;;) {
        const std::size_t at = bytes.size();
        bytes.resize(at + kPiece);
        const std::uint32_t got = file.Read(bytes.data() + at, kPiece);
        bytes.resize(at + got);
        if (got == 0) {
            return !file.Failed();
        }
    }
}

}  // namespace Brim
