#include "linecount/CodeLineHashes.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <optional>

#include "linecount/LineClassifier.h"
#include "linecount/LongLine.h"
#include "linecount/ReadBlock.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideTally.h"

namespace PrjHelper {

namespace {

constexpr WideLanguage kNoSyntax{.name = "Other"};

// A 64-bit hash of a line that arrives in pieces, eight bytes at a time. Each step is a
// bijection of the state for a given word and of the word for a given state, so two lines
// of one length that differ in a single word never collide; the length ends the input.
class LineHash
{
public:
    void Add(const char* data, std::size_t size)
    {
        m_length += size;
        if (m_carrySize != 0) {
            const std::size_t take = std::min(size, kWord - m_carrySize);
            std::memcpy(m_carry + m_carrySize, data, take);
            m_carrySize += take;
            data += take;
            size -= take;
            if (m_carrySize < kWord) {
                return;
            }
            Mix(Word(m_carry));
            m_carrySize = 0;
        }
        for (; size >= kWord; data += kWord, size -= kWord) {
            Mix(Word(data));
        }
        std::memcpy(m_carry, data, size);
        m_carrySize = size;
    }

    // The line's hash; the next Add starts another line.
    std::uint64_t Finish()
    {
        std::memset(m_carry + m_carrySize, 0, kWord - m_carrySize);
        Mix(Word(m_carry));
        Mix(m_length);
        // The finishing mix of MurmurHash3: every input bit reaches every output bit.
        std::uint64_t hash = m_state;
        hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDULL;
        hash = (hash ^ (hash >> 33)) * 0xC4CEB9FE1A85EC53ULL;
        *this = LineHash{};
        return hash ^ (hash >> 33);
    }

private:
    static constexpr std::size_t kWord = 8;

    static std::uint64_t Word(const char* bytes)
    {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, kWord);
        return word;
    }

    void Mix(std::uint64_t word)
    {
        m_state = std::rotl((m_state ^ word) * 0x9E3779B97F4A7C15ULL, 29) * 0xBF58476D1CE4E5B9ULL;
    }

    std::uint64_t m_state = 0x243F6A8885A308D3ULL;
    std::uint64_t m_length = 0;
    char m_carry[kWord] = {};
    std::size_t m_carrySize = 0;
};

// Splits the stream into lines as LineTally and TallyWideLines do, classifies each with the
// table the flags name, and keeps the hashes of the code lines.
class Hasher
{
public:
    Hasher(std::int32_t lang, std::uint32_t flags, std::size_t limit,
           std::vector<std::uint64_t>& hashes)
        : m_trackBlocks((flags & CF_TRACK_BLOCKS) != 0), m_markers(GetCommentMarkers(lang)),
          m_long(m_markers.close), m_limit(limit), m_hashes(hashes)
    {
        if ((flags & CF_WIDE_TABLE) != 0) {
            const WideLanguage* language = GetWideLanguage(lang);
            m_syntax.emplace(language != nullptr ? *language : kNoSyntax);
            m_scanner.emplace(*m_syntax, m_trackBlocks);
        }
    }

    // The stream's next bytes (each LF may become a NUL); false once past the limit.
    bool Feed(char* data, std::size_t size)
    {
        m_scanner ? FeedWide(data, data + size) : FeedDesign(data, data + size);
        return !m_tooMany;
    }

    // Ends the stream; false when it held more code lines than the limit.
    bool Finish()
    {
        if (m_pending) {
            m_scanner ? KeepWide(m_scanner->EndLine())
                      : Keep(ClassifyLine(m_markers, m_trackBlocks, m_long.Condensed(), m_inBlock));
            m_pending = false;
        }
        return !m_tooMany;
    }

private:
    // A line that lies whole in the piece is classified in place; one that runs across
    // pieces is followed by LongLine, as LineTally does.
    void FeedDesign(char* at, char* const end)
    {
        while (at < end) {
            char* lf =
                static_cast<char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
            const std::size_t size = static_cast<std::size_t>((lf != nullptr ? lf : end) - at);
            m_hash.Add(at, size);
            if (lf == nullptr) {
                if (!m_pending) {
                    m_long.Reset();
                }
                m_long.Add(at, size);
                m_pending = true;
                return;
            }
            const char* line = at;
            if (m_pending) {
                m_long.Add(at, size);
                line = m_long.Condensed();
                m_pending = false;
            } else {
                *lf = '\0';
            }
            Keep(ClassifyLine(m_markers, m_trackBlocks, line, m_inBlock));
            at = lf + 1;
        }
    }

    void FeedWide(const char* at, const char* const end)
    {
        for (const char* byte = at; m_seen < 2 && byte < end; ++byte) {
            m_start[m_seen++] = *byte;
        }
        while (at < end) {
            const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            const char* lf = found == nullptr ? end : static_cast<const char*>(found);
            const std::size_t size = static_cast<std::size_t>(lf - at);
            m_hash.Add(at, size);
            if (lf == end) {
                m_scanner->Add(at, size);
                m_pending = true;
                return;
            }
            KeepWide(m_scanner->EndLine(at, size));
            m_pending = false;
            at = lf + 1;
        }
    }

    // A "#!" first line is code: it names the program that runs the file.
    void KeepWide(LineKind kind)
    {
        if (!m_counted && m_seen == 2 && m_start[0] == '#' && m_start[1] == '!') {
            kind = LineKind::Code;
        }
        m_counted = true;
        Keep(kind);
    }

    void Keep(LineKind kind)
    {
        const std::uint64_t hash = m_hash.Finish();
        if (kind != LineKind::Code || m_tooMany) {
            return;
        }
        m_tooMany = m_hashes.size() == m_limit;
        if (!m_tooMany) {
            m_hashes.push_back(hash);
        }
    }

    bool m_trackBlocks;
    CommentMarkers m_markers;
    LongLine m_long;
    bool m_inBlock = false;
    std::optional<WideSyntax> m_syntax;
    std::optional<WideLineScanner> m_scanner;
    char m_start[2] = {};
    std::size_t m_seen = 0;
    bool m_counted = false;  // a line was classified
    bool m_pending = false;  // a line has begun in an earlier piece and is not finished
    LineHash m_hash;
    std::size_t m_limit;
    bool m_tooMany = false;
    std::vector<std::uint64_t>& m_hashes;
};

}  // namespace

HashedLines HashCodeLines(Brim::IStream& stream, std::int32_t lang, std::uint32_t flags,
                          std::size_t limit, std::vector<std::uint64_t>& hashes,
                          const std::function<bool()>& keepGoing)
{
    hashes.clear();
    Hasher hasher(lang, flags, limit, hashes);
    ReadBlock block;
    try {
        for (;;) {
            if (keepGoing && !keepGoing()) {
                return HashedLines::Stopped;
            }
            const std::uint32_t got = block.Read(stream);
            if (got == 0) {
                break;
            }
            if (!hasher.Feed(block.Data(), got)) {
                return HashedLines::TooMany;
            }
        }
        return hasher.Finish() ? HashedLines::Done : HashedLines::TooMany;
    } catch (const std::bad_alloc&) {
        hashes = {};
        return HashedLines::NoMemory;
    }
}

}  // namespace PrjHelper
