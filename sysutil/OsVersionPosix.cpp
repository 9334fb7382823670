#include "sysutil/OsVersion.h"

#include <sys/utsname.h>

namespace Brim {

COsVersion::COsVersion()
{
    utsname names{};
    if (uname(&names) == 0) {
        ParseKernelRelease(names.release, *this);
    }
}

}  // namespace Brim
