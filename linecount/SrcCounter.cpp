#include "linecount/SrcCounter.h"

#include <cstring>

#include "fileio/PathSeparator.h"
#include "memory/PrimitiveTable.h"

namespace PrjHelper {

namespace {

constexpr std::size_t kPathChars = 260;

// The last component of path: the extension is the file's own, never a folder's.
const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* at = path; *at != '\0'; ++at) {
        if (Brim::IsPathSeparator(*at))
            name = at + 1;
    }
    return name;
}

}  // namespace

CSrcCounter::CSrcCounter() : m_nLang(0), m_nCount(0), m_dwFlags(0), m_Reader(), m_bInBlock(false)
{
    MemZero(m_szPath, sizeof m_szPath);
    MemZero(m_szExt, sizeof m_szExt);
    m_Reader.AddHook(this);
}

bool CSrcCounter::Open(const char* path)
{
    if (path == nullptr)
        return false;
    const std::size_t length = ::strnlen(path, kPathChars);
    std::memcpy(m_szPath, path, length);
    m_szPath[length] = '\0';

    GetFileExt(FileNameOf(path), m_szExt, sizeof m_szExt, false);
    for (char& c : m_szExt) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    m_nLang = GetLanguageId(m_szExt);
    return m_Reader.Open(path);
}

void CSrcCounter::OnBegin(Brim::IStream&)
{
    m_nCount = 0;
    m_bInBlock = false;
}

std::int32_t CSrcCounter::OnLine(const char* line)
{
    if (LineCounts(GetCommentMarkers(m_nLang), m_dwFlags, line, m_bInBlock))
        ++m_nCount;
    return 0;
}

void CSrcCounter::OnEnd() {}

}  // namespace PrjHelper
