#include "tests/support/UnreadableFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace lintally::testing {

UnreadableFile::UnreadableFile(std::string path) : m_path(std::move(path))
{
    m_unreadable = geteuid() != 0 && chmod(m_path.c_str(), 0) == 0;
}

UnreadableFile::~UnreadableFile()
{
    if (m_unreadable) {
        chmod(m_path.c_str(), 0644);
    }
}

}  // namespace lintally::testing
