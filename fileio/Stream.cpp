#include "fileio/Stream.h"

namespace Brim {

bool IStream::IsWritable()
{
    return ((GetMode() >> 2) & 1) != 0;
}

bool IStream::SeekBack(std::uint32_t count)
{
    constexpr std::uint32_t largestBack = 0x80000000u;
    if (count > largestBack)
        return false;
    // Modular conversion: 0x80000000 becomes INT32_MIN, every smaller count its negative.
    return Seek(static_cast<std::int32_t>(0u - count), SeekCurrent);
}

}  // namespace Brim
