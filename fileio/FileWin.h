// CFileWin: a file on disk behind IFile, one system call per operation, no buffering.
//
// The object owns the file it opened and closes it in Close, in the next Open (which closes
// first, even when the new open fails) and in its destructor. Only regular files open
// (symbolic links followed); folders, FIFOs, sockets and devices are refused without
// blocking. The share flags of the mode become advisory locks where the system has them.
// No locks of its own: one thread uses an object at a time.
//
// The class is the same on every system: its shared parts live in FileWin.cpp, the system
// calls in FileWinPosix.cpp and FileWinWin32.cpp; only the handle type and the name
// capacity differ.
#pragma once

#include "fileio/File.h"

#include <climits>
#include <cstddef>
#include <cstdint>

namespace Brim {

class CFileWin : public IFile
{
public:
#if defined(_WIN32)
    using Handle = void*;
    static constexpr Handle ClosedHandle = nullptr;
    static constexpr std::uint32_t NameSize = 261;
#else
    using Handle = int;
    static constexpr Handle ClosedHandle = -1;
    static constexpr std::uint32_t NameSize = PATH_MAX;
#endif
    static constexpr std::uint32_t ErrorTextSize = 128;

    CFileWin();
    ~CFileWin() override;
    CFileWin(const CFileWin&) = delete;
    CFileWin& operator=(const CFileWin&) = delete;

    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    std::uint32_t Write(const void* buffer, std::uint32_t count) override;
    std::uint32_t GetMode() override;
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetSize() override;
    bool Truncate() override;

    // Paths of NameSize characters or more are refused before anything is opened.
    bool Open(const char* path, bool create, std::uint32_t mode) override;
    void Close() override;
    bool SetSize(std::int32_t size) override;
    void GetTime(FileDateTime* created, FileDateTime* modified) override;
    std::uint32_t SetTime(const FileDateTime* created, const FileDateTime* modified) override;
    const char* GetName() override;
    const char* GetErrorText() override;

private:
    // The last step of a successful Open on every system: keep the handle, the name and the mode.
    bool Adopt(Handle handle, const char* path, std::size_t length, std::uint32_t mode);

    std::uint32_t m_dwMode;         // mode of the last successful Open; Close keeps it
    Handle m_hFile;                 // ClosedHandle when closed
    char m_szName[NameSize];        // path of the open file; all zeros when closed
    char m_szError[ErrorTextSize];  // text GetErrorText fetched last
};

}  // namespace Brim
