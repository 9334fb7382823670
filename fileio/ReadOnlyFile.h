// ReadOnlyFile: a file opened only to be read through, as counting does, behind IStream.
//
// Unlike CFileWin it never locks and is never refused by another open's lock (every kind of
// sharing is granted), and it never blocks: only regular files open (symbolic links
// followed), and a read that would wait ends the stream like its end, keeping what was read.
// Write and Truncate always fail. Owns the file it opened; the destructor closes it. No
// locks of its own: one thread uses an object at a time.
//
// The system calls live in ReadOnlyFilePosix.cpp and ReadOnlyFileWin32.cpp.
#pragma once

#include "fileio/Stream.h"

#include <cstdint>
#include <string>

namespace Brim {

class ReadOnlyFile final : public IStream
{
public:
#if defined(_WIN32)
    using Handle = void*;
#else
    using Handle = int;
    // Folder descriptor that stands for the current folder in OpenAt.
    static constexpr int kCurrentFolder = -100;
#endif

    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Closes what was open, then opens path; false (with the system's error code set) when
    // it is missing, unreadable or not a regular file.
    bool Open(const char* path);
#if !defined(_WIN32)
    // The same for name taken relative to the open folder folderFd, so no path length limit
    // applies beyond the name's own.
    bool OpenAt(int folderFd, const char* name);
    // The same for a name the folder's listing gave as a regular file, on a file system
    // whose reads come back short only at a file's end (see the walk's folder reader):
    // no fstat at the open. The first full read, or a first read that finds nothing, looks
    // the size up and confirms a regular file; a short read ends the file. A symbolic link,
    // whose target may lie anywhere, opens as OpenAt does.
    bool OpenListedAt(int folderFd, const char* name);
    // Takes fd, opened as OpenListedAt opens a name (see FileBatch), as if OpenListedAt had.
    void AdoptListed(int fd);
    // Gives up the open descriptor without closing it (-1 when none is open), for the caller
    // to close with others at once.
    [[nodiscard]] int Release();
#endif
    void Close();
    [[nodiscard]] bool IsOpen() const;

    std::uint32_t Read(void* buffer, std::uint32_t count) override;
    std::uint32_t Write(const void* buffer, std::uint32_t count) override;
    std::uint32_t GetMode() override;
    bool Seek(std::int32_t offset, int origin) override;
    std::uint32_t GetPosition() override;
    std::uint32_t GetSize() override;
    // The whole size, however large (GetSize keeps only its low 32 bits); false when it
    // cannot be read.
    [[nodiscard]] bool GetByteSize(std::uint64_t& size);
    bool Truncate() override;
    // Whether a read failed since the open (a folder or a non-regular file where a regular
    // one was listed, an I/O error, a read that would wait), rather than reached the end.
    [[nodiscard]] bool Failed() const
    {
        return m_failed;
    }

private:
    Handle m_handle = Closed();
    bool m_failed = false;
#if !defined(_WIN32)
    static constexpr std::uint64_t kSizeUnknown = ~std::uint64_t{0};

    void Adopt(int fd, std::uint64_t size);
    bool LearnSize();

    // A read that returns less than asked once the size seen at the open is reached is taken
    // as the end, which spares the read that would only confirm it. A file that grows while
    // it is read is counted as far as that read; one that shrinks is read to its new end.
    std::uint64_t m_openSize = 0;
    std::uint64_t m_position = 0;
    bool m_atEnd = false;
#endif
    static constexpr Handle Closed()
    {
#if defined(_WIN32)
        return nullptr;
#else
        return -1;
#endif
    }
};

// Replaces bytes with the whole of the regular file at path; false when it cannot be opened
// or a read failed part-way (bytes then hold what was read).
bool ReadWholeFile(const char* path, std::string& bytes);

}  // namespace Brim
