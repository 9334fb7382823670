// Opens, and closes, a batch of files with one system call each way where the system has a
// submission ring (io_uring on Linux). Counting many small files otherwise spends much of its
// time entering and leaving the kernel, three times a file (open, read, close).
//
// One object per thread. Without the ring (another system, an older kernel, or one that
// forbids it) Ready() is false and the caller opens and closes each file as usual.
#pragma once

#include <cstddef>
#include <memory>
#include <span>

namespace Brim {

class FileBatch
{
public:
    // At most this many files a call.
    static constexpr std::size_t kMax = 32;
    // A result for a file the batch did not try: the caller opens it itself.
    static constexpr int kNotTried = -0x7FFF;

    FileBatch();
    ~FileBatch();
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;

    [[nodiscard]] bool Ready() const { return m_ring != nullptr; }
    // Opens names[i] in the open folder folders[i] as ReadOnlyFile::OpenListedAt does (read
    // only, non-blocking, no controlling terminal, a symbolic link not followed): results[i]
    // becomes the descriptor, the system's error code negated, or kNotTried (also when the
    // process ran out of descriptors). The spans have one size, at most kMax.
    void OpenListed(std::span<const int> folders, std::span<const char* const> names,
                    std::span<int> results);
    // Closes each descriptor that is not negative.
    void Close(std::span<const int> descriptors);

private:
    struct Ring;
    std::unique_ptr<Ring> m_ring;  // null while there is none
};

}  // namespace Brim
