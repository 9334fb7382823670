// A whole file mapped read-only into memory, as the pack indexes are searched.
//
// Owns the mapping (moved, never copied); the destructor releases it. The bytes may be read
// from any thread while it lives. The system calls live in MappedFilePosix.cpp and
// MappedFileWin32.cpp.
#pragma once

#include <cstddef>
#include <string>

namespace lintally::gitsel {

class MappedFile
{
public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // Releases what was mapped, then maps path; false when it cannot be opened or mapped (an
    // empty file included).
    [[nodiscard]] bool Map(const std::string& path);
    void Release();

    [[nodiscard]] const unsigned char* Bytes() const { return m_bytes; }
    [[nodiscard]] std::size_t Size() const { return m_size; }

private:
    const unsigned char* m_bytes = nullptr;
    std::size_t m_size = 0;
};

}  // namespace lintally::gitsel
