#include "sysutil/SysInfo.h"

#include <sys/utsname.h>

namespace Brim {

CSysInfo::CSysInfo() : m_Version(), m_Actions(&m_Version)
{
    utsname names{};
    Fill(uname(&names) == 0 ? names.sysname : "");
}

}  // namespace Brim
