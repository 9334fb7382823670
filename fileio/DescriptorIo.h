// One read or write call on a POSIX descriptor, as the file classes make it: the count is
// clamped to what one call moves at most (so no request is implementation-defined) and a
// call cut short by a signal is made again.
//
// Stateless; any thread may call them on a descriptor it owns.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>

namespace Brim {

// The most one call moves: Linux's limit, below SSIZE_MAX everywhere.
inline constexpr std::size_t kLargestTransfer = 0x7FFFF000u;

// Bytes moved, 0 at the end of the file, -1 with errno set on failure.
[[nodiscard]] ssize_t ReadOnce(int fd, void* buffer, std::size_t count);
[[nodiscard]] ssize_t WriteOnce(int fd, const void* buffer, std::size_t count);

// The low 32 bits of an offset or size, for the 32-bit positions of the file interfaces.
[[nodiscard]] constexpr std::uint32_t Low32(std::int64_t value)
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

}  // namespace Brim
