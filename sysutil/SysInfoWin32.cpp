#include "sysutil/SysInfo.h"

namespace Brim {

CSysInfo::CSysInfo() : m_Version(), m_Actions(&m_Version)
{
    Fill("Windows");
}

}  // namespace Brim
