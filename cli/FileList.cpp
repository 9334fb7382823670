#include "cli/FileList.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "fileio/MessageText.h"
#include "fileio/PathLimit.h"

namespace lintally::cli {

FileListSplitter::FileListSplitter(bool nulSeparated, std::size_t longest)
    : m_nulSeparated(nulSeparated), m_longest(longest)
{}

bool FileListSplitter::Refuse(const std::string& what, std::string& error) const
{
    error = (m_nulSeparated ? "name " : "line ") + std::to_string(m_number) + what;
    return false;
}

bool FileListSplitter::RefuseLength(std::string& error) const
{
    return Refuse(" is longer than any path (" + std::to_string(m_longest) + " bytes)", error);
}

bool FileListSplitter::EndName(std::vector<std::string>& names, std::string& error)
{
    if (!m_nulSeparated && !m_name.empty() && m_name.back() == '\r') {
        m_name.pop_back();
    }
    if (m_name.size() > m_longest) {
        return RefuseLength(error);
    }
    // Opened by a system call, such a name would end at its NUL and name another file.
    if (m_name.find('\0') != std::string::npos) {
        return Refuse(" holds a NUL byte (-0 reads a list of NUL-separated names)", error);
    }
    if (!m_name.empty()) {
        names.push_back(std::move(m_name));
    }
    m_name.clear();
    ++m_number;
    return true;
}

bool FileListSplitter::Feed(std::string_view block, std::vector<std::string>& names,
                            std::string& error)
{
    const char separator = m_nulSeparated ? '\0' : '\n';
    // A line may keep one byte more, the CR that EndName drops.
    const std::size_t most = m_longest + (m_nulSeparated ? 0 : 1);
    while (!block.empty()) {
        const std::size_t end = block.find(separator);
        const std::string_view part = block.substr(0, end);
        if (m_name.size() + part.size() > most) {
            return RefuseLength(error);
        }
        m_name.append(part);
        if (end == std::string_view::npos) {
            return true;
        }
        if (!EndName(names, error)) {
            return false;
        }
        block.remove_prefix(end + 1);
    }
    return true;
}

bool FileListSplitter::Finish(std::vector<std::string>& names, std::string& error)
{
    return m_name.empty() || EndName(names, error);
}

bool ReadFileList(const std::string& path, bool nulSeparated, std::vector<std::string>& names,
                  std::string& error)
{
    const std::string shown = Brim::EscapeControlBytes(path);
    std::FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read the list " + shown + ": " + std::strerror(errno);
        return false;
    }
    FileListSplitter splitter(nulSeparated, Brim::kLongestPath);
    char buffer[65536];
    std::size_t got = 0;
    bool split = true;
    while (split && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        split = splitter.Feed({buffer, got}, names, error);
    }
    const bool failed = std::ferror(file) != 0;
    if (file != stdin) {
        std::fclose(file);
    }
    if (split && failed) {
        error = "cannot read the list " + shown;
        return false;
    }
    if (!split || !splitter.Finish(names, error)) {
        error = "the list " + shown + ": " + error;
        return false;
    }
    return true;
}

}  // namespace lintally::cli
