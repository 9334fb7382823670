#include "linecount/SrcCounter.h"

#include <cstdint>
#include <cstring>

#include "memory/PrimitiveTable.h"

namespace PrjHelper {

namespace {

constexpr std::size_t kPathChars = 260;

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

    m_nLang = GetPathLanguage(path, m_szExt, sizeof m_szExt);
    return m_Reader.Open(path);
}

void CSrcCounter::OnBegin(Brim::IStream&)
{
    m_nCount = 0;
    m_bInBlock = false;
}

std::int32_t CSrcCounter::OnLine(const char* line)
{
    // The count stays at its largest value rather than wrap to a small one.
    if (LineCounts(GetCommentMarkers(m_nLang), m_dwFlags, line, m_bInBlock) &&
        m_nCount != UINT32_MAX)
        ++m_nCount;
    return 0;
}

void CSrcCounter::OnEnd() {}

}  // namespace PrjHelper
