// CSrcCounter: counts the lines of one source file that count as code.
//
// Use: construct; Open(path); set m_dwFlags (CF_COUNT_REMED, CF_COUNT_BLANK,
// CF_TRACK_BLOCKS from LineClassifier.h); m_Reader.Run(); read m_nCount. The counter is its
// own reader's one hook: the reader feeds it every line and LineCounts decides each one.
// A file that does not open gives no events and a count of 0.
//
// Ownership: the counter owns its reader, which owns the opened file; destroying the counter
// closes it. One counter serves one file on one thread.
#pragma once

#include <cstdint>

#include "fileio/Stream.h"
#include "linecount/LineClassifier.h"
#include "linecount/SrcLineReader.h"

namespace PrjHelper {

class CSrcCounter : public ISrcLineHook
{
public:
    CSrcCounter();
    CSrcCounter(const CSrcCounter&) = delete;
    CSrcCounter& operator=(const CSrcCounter&) = delete;

    // Keeps the first 260 characters of path in m_szPath, takes the language from the file
    // name's extension (after the first '.' of the last path component, lower-cased) and
    // opens the whole path. True when the file is open.
    bool Open(const char* path);

    void OnBegin(Brim::IStream& stream) override;
    std::int32_t OnLine(const char* line) override;
    void OnEnd() override;

    char m_szPath[261];
    char m_szExt[8];
    std::int32_t m_nLang;
    std::uint32_t m_nCount;
    std::uint32_t m_dwFlags;
    CSrcLineReader m_Reader;
    bool m_bInBlock;  // inside a block comment; used with CF_TRACK_BLOCKS only
};

}  // namespace PrjHelper
