#include "linecount/DetailTally.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "linecount/BranchCount.h"
#include "linecount/EmbeddedSplitter.h"
#include "linecount/ReadBlock.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideSyntaxes.h"

namespace PrjHelper {

namespace {

// One language's lines read in order: the file's own, or one embedded block's.
class Reader
{
public:
    Reader(std::int32_t lang, std::uint32_t flags)
        : m_syntax(WideSyntaxOf(lang)), m_trackBlocks((flags & CF_TRACK_BLOCKS) != 0)
    {
        if ((flags & CF_COMPLEXITY) != 0) {
            m_branches.emplace(m_syntax, BranchFamilyOf(lang), m_trackBlocks);
        }
    }

    // The line's kind; adds its branch tokens to complexity.
    LineKind Read(std::string_view line, std::uint64_t& complexity)
    {
        const LineKind kind = ClassifyWideLine(m_syntax, m_trackBlocks, line, m_state);
        if (m_branches) {
            complexity += m_branches->Line(line, kind == LineKind::Code);
        }
        return kind;
    }

private:
    const WideSyntax& m_syntax;
    bool m_trackBlocks;
    WideState m_state;
    std::optional<BranchCounter> m_branches;
};

class DetailLines
{
public:
    DetailLines(std::int32_t lang, bool sniff, std::uint32_t flags)
        : m_flags(flags), m_sniff(sniff && !IsWideLanguage(lang))
    {
        m_result.host.lang = IsWideLanguage(lang) ? lang : 0;
    }

    void Line(std::string_view line)
    {
        if (!m_host) {
            Start(line);
        }
        const std::int32_t inner = m_splitter->Line(line);
        if (inner == 0) {
            m_blockLang = 0;
            LineKind kind = m_host->Read(line, m_result.complexity);
            // A "#!" first line is code: it names the program that runs the file.
            if (m_first && line.starts_with("#!")) {
                kind = LineKind::Code;
            }
            m_first = false;
            m_result.host.kinds.Add(kind);
            return;
        }
        m_first = false;
        if (inner != m_blockLang) {
            m_block.emplace(inner, m_flags);
            m_blockLang = inner;
        }
        EmbeddedPart& part = PartOf(inner);
        part.kinds.Add(m_block->Read(line, part.complexity));
    }

    DetailTallyResult Finish() { return std::move(m_result); }

private:
    void Start(std::string_view firstLine)
    {
        if (m_sniff && firstLine.size() <= kShebangMax) {
            m_result.host.lang = WideLanguageOfShebang(firstLine);
        }
        m_host.emplace(m_result.host.lang, m_flags);
        m_splitter.emplace((m_flags & CF_EMBEDDED) != 0 ? EmbedHostOf(m_result.host.lang)
                                                        : EmbedHost::None);
    }

    EmbeddedPart& PartOf(std::int32_t lang)
    {
        auto& parts = m_result.embedded;
        const auto found =
            std::find_if(parts.begin(), parts.end(),
                         [lang](const EmbeddedPart& part) { return part.lang == lang; });
        if (found != parts.end()) {
            return *found;
        }
        return parts.emplace_back(EmbeddedPart{lang, {}, 0});
    }

    std::uint32_t m_flags;
    bool m_sniff;
    bool m_first = true;
    DetailTallyResult m_result;
    std::optional<Reader> m_host;
    std::optional<EmbeddedSplitter> m_splitter;
    std::optional<Reader> m_block;  // the embedded block being read
    std::int32_t m_blockLang = 0;   // its language; 0 after a host line
};

// Cuts bytes into lines, keeping the start of a line that runs on past them.
class LineCutter
{
public:
    explicit LineCutter(DetailLines& lines) : m_lines(lines) {}

    void Feed(const char* at, const char* end)
    {
        while (at < end) {
            const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
            if (found == nullptr) {
                m_pending.append(at, end);
                return;
            }
            const char* lf = static_cast<const char*>(found);
            if (m_pending.empty()) {
                m_lines.Line(std::string_view(at, static_cast<std::size_t>(lf - at)));
            } else {
                m_pending.append(at, lf);
                m_lines.Line(m_pending);
                m_pending.clear();
            }
            at = lf + 1;
        }
    }

    // The bytes after the last LF are one more line.
    void Finish()
    {
        if (!m_pending.empty()) {
            m_lines.Line(m_pending);
        }
    }

private:
    DetailLines& m_lines;
    std::string m_pending;
};

}  // namespace

DetailTallyResult TallyDetailedLines(Brim::IStream& stream, std::int32_t lang, bool sniff,
                                     std::uint32_t flags, const std::function<bool()>& keepGoing,
                                     std::string_view start)
{
    DetailLines lines(lang, sniff, flags);
    LineCutter cutter(lines);
    cutter.Feed(start.data(), start.data() + start.size());
    ReadBlock block;
    while (!keepGoing || keepGoing()) {
        const std::uint32_t got = block.Read(stream);
        if (got == 0) {
            break;
        }
        cutter.Feed(block.Data(), block.Data() + got);
    }
    cutter.Finish();
    return lines.Finish();
}

}  // namespace PrjHelper
