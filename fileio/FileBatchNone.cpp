// FileBatch where the system has no submission ring: never ready, so callers open and close
// each file themselves.
#include "fileio/FileBatch.h"

namespace Brim {

struct FileBatch::Ring
{};

FileBatch::FileBatch() = default;
FileBatch::~FileBatch() = default;

void FileBatch::OpenListed(std::span<const int>, std::span<const char* const>,
                           std::span<int> results)
{
    for (int& result : results)
        result = kNotTried;
}

// OpenListed gives no descriptor here.
void FileBatch::Close(std::span<const int>) {}

}  // namespace Brim
