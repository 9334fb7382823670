// CFileStream: the IStream over one file on disk; IStreamExt: the base that gives a concrete
// stream its virtual destructor.
//
// A CFileStream owns its CFileWin by value: the file is opened by the constructor and closed
// by the destructor, with no reopen in between. A stream whose open failed still exists; its
// file is closed and its name empty, and every operation fails quietly. No locks: one thread
// uses a stream at a time.
#pragma once

#include "fileio/FileWin.h"
#include "fileio/Stream.h"

#include <cstdint>

namespace Brim {

// Derives from the interface I on behalf of the concrete stream T; holds no data. Its one
// addition is the virtual destructor, placed after the interface's own operations.
template <class I, class T>
class IStreamExt : public I
{
public:
    virtual ~IStreamExt() = default;

protected:
    IStreamExt() = default;
    IStreamExt(const IStreamExt&) = default;
    IStreamExt& operator=(const IStreamExt&) = default;
};

class CFileStream : public IStreamExt<IStream, CFileStream>
{
public:
    // Opens path through the file with (path, create, mode); the outcome shows in GetFile().
    CFileStream(const char* path, std::uint32_t mode, bool create);
    ~CFileStream() override;
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    std::uint32_t Write(const void* buffer, std::uint32_t count) override;
    std::uint32_t GetMode() override;
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetSize() override;
    bool Truncate() override;

    // The file behind the stream (its name tells whether the open succeeded).
    IFile& GetFile();

private:
    CFileWin m_File;
};

}  // namespace Brim
