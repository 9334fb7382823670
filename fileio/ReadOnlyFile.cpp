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

}  // namespace Brim
