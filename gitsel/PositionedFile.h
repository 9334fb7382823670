// A file opened to be read at given offsets, as the object readers read packs and loose
// objects: no shared position, so reads never depend on one another.
//
// Owns what it opened; the destructor closes it. One thread at a time. The system calls live
// in PositionedFilePosix.cpp and PositionedFileWin32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lintally::gitsel {

class PositionedFile
{
public:
    PositionedFile() = default;
    ~PositionedFile();
    PositionedFile(const PositionedFile&) = delete;
    PositionedFile& operator=(const PositionedFile&) = delete;

    // Closes what was open, then opens path to be read; false with Error() set when it cannot.
    [[nodiscard]] bool Open(const std::string& path);
    void Close();
    [[nodiscard]] bool IsOpen() const;

    // Up to count bytes from offset into out: how many were read, 0 at the end, -1 on a
    // failure (Error() set). An interrupted read is retried.
    [[nodiscard]] std::int64_t ReadAt(std::uint64_t offset, void* out, std::size_t count);
    // The file's size; false with Error() set when it cannot be read.
    [[nodiscard]] bool Size(std::uint64_t& size);
    // The system's words for the last failure.
    [[nodiscard]] const std::string& Error() const { return m_error; }

private:
#if defined(_WIN32)
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
    std::string m_error;
};

}  // namespace lintally::gitsel
