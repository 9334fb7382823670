#include "fileio/DescriptorIo.h"

#include <unistd.h>

#include <cerrno>

namespace Brim {

namespace {

std::size_t Clamped(std::size_t count)
{
    return count < kLargestTransfer ? count : kLargestTransfer;
}

}  // namespace

ssize_t ReadOnce(int fd, void* buffer, std::size_t count)
{
    ssize_t done;
    do
        done = ::read(fd, buffer, Clamped(count));
    while (done < 0 && errno == EINTR);
    return done;
}

ssize_t WriteOnce(int fd, const void* buffer, std::size_t count)
{
    ssize_t done;
    do
        done = ::write(fd, buffer, Clamped(count));
    while (done < 0 && errno == EINTR);
    return done;
}

}  // namespace Brim
