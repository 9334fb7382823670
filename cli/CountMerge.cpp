#include "cli/CountMerge.h"

#include "cli/CountRoots.h"
#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"

namespace lintally::cli {

CountMerge::CountMerge(const results::RowGrouping& by, std::size_t parts)
    : m_by(by), m_severalRoots(parts > 1)
{}

bool CountMerge::Add(results::CountJson part, const std::string& shown, std::string& error)
{
    if (part.roots.empty()) {
        part.roots.push_back(part.root);
    }
    const bool oneRoot = part.roots.size() == 1;
    const bool byFolder = !m_by.perFile && m_by.grouping.by == scan::GroupBy::Folder;
    if (byFolder && !oneRoot) {
        error = shown + " was counted over several ROOTs; --by dir regroups counts of one ROOT";
        return false;
    }
    const bool wide = part.settings.languages == scan::LanguageTable::Wide;
    std::vector<std::int32_t> ids;
    for (const std::string& name : part.languages) {
        ids.push_back(PrjHelper::AnyLanguageIdOf(name, wide));
        if (ids.back() < 0) {
            error = shown + " names the language " + Brim::EscapeControlBytes(name) +
                    ", which this version does not know";
            return false;
        }
    }
    const bool under = m_severalRoots && oneRoot;
    const std::uint32_t flags = part.settings.CountFlags();
    scan::ScanResult result;
    scan::GroupTable groups;
    for (const scan::RowView row : part.rows) {
        std::string name(row.name);
        const std::int32_t lang = ids[static_cast<std::size_t>(row.lang)];
        if (const auto [at, added] =
                m_names.insert(under ? UnderRoot(part.roots.front(), name) : name);
            !added) {
            error = shown + " lists the file " + Brim::EscapeControlBytes(*at) +
                    ", which an earlier count lists too; merge sums counts of distinct files";
            return false;
        }
        std::vector<PrjHelper::EmbeddedPart> embedded(row.embedded.begin(), row.embedded.end());
        for (PrjHelper::EmbeddedPart& part : embedded) {
            part.lang = ids[static_cast<std::size_t>(part.lang)];
            result.total += part.kinds.Counted(flags);
            result.kinds += part.kinds;
            result.complexity += part.complexity;
        }
        if (m_by.perFile) {
            result.rows.Add(row.name, row.lines, row.kinds, lang, row.complexity, embedded);
        } else {
            scan::RowView mapped = row;
            mapped.lang = lang;
            mapped.embedded = embedded;
            scan::AddFileGroups(groups, m_by.grouping, row.name, mapped, flags);
        }
        result.total += row.lines;
        result.kinds += row.kinds;
        result.complexity += row.complexity;
        ++result.files;
    }
    result.groups = groups.Take();
    result.skips = part.skips;
    result.skipped = std::move(part.skipped);
    AddRootResult(m_whole, std::move(result), part.roots.front(), under, byFolder, m_groups);
    m_roots.insert(m_roots.end(), part.roots.begin(), part.roots.end());
    return true;
}

scan::ScanResult CountMerge::Take()
{
    m_whole.groups = m_groups.Take();
    m_names.clear();
    return std::move(m_whole);
}

}  // namespace lintally::cli
