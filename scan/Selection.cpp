#include "scan/Selection.h"

#include <algorithm>

#include "fileio/JoinPath.h"
#include "fileio/PathSeparator.h"
#include "fileio/RealPath.h"

namespace lintally::scan {

namespace {

// Where the next separator from at lies in path, or npos. A list may use either separator
// where the system takes both ('/' from git on Windows).
std::size_t NextSeparator(std::string_view path, std::size_t at)
{
    while (at < path.size() && !Brim::IsPathSeparator(path[at])) {
        ++at;
    }
    return at < path.size() ? at : std::string_view::npos;
}

}  // namespace

namespace {

// Each reason's count, in the order of SkipReason.
constexpr std::uint64_t SkipCounts::*kSlots[] = {
    &SkipCounts::excluded,   &SkipCounts::ignored, &SkipCounts::binary,    &SkipCounts::tooLarge,
    &SkipCounts::unreadable, &SkipCounts::linked,  &SkipCounts::generated, &SkipCounts::duplicate};

}  // namespace

void SkipCounts::Add(SkipReason reason, std::uint64_t count)
{
    this->*kSlots[static_cast<std::size_t>(reason)] += count;
}

std::uint64_t SkipCounts::Of(SkipReason reason) const
{
    return this->*kSlots[static_cast<std::size_t>(reason)];
}

SkipCounts& SkipCounts::operator+=(const SkipCounts& other)
{
    excluded += other.excluded;
    ignored += other.ignored;
    binary += other.binary;
    tooLarge += other.tooLarge;
    unreadable += other.unreadable;
    linked += other.linked;
    generated += other.generated;
    duplicate += other.duplicate;
    return *this;
}

bool SkipCounts::Any() const
{
    return excluded + ignored + binary + tooLarge + unreadable + linked + generated + duplicate !=
           0;
}

bool Selection::AddExclude(std::string_view pattern, std::string& error)
{
    Rule rule;
    if (pattern.size() > 1 && pattern.back() == '/') {
        rule.foldersOnly = true;
        pattern.remove_suffix(1);
    }
    if (!pattern.empty() && pattern.front() == '/') {
        pattern.remove_prefix(1);
    }
    if (pattern.empty()) {
        error = "--exclude needs a pattern";
        return false;
    }
    rule.byPath = pattern.find('/') != std::string_view::npos;
    if (!rule.glob.Parse(pattern, error)) {
        return false;
    }
    m_rules.push_back(std::move(rule));
    return true;
}

void Selection::AddVersionControlExcludes()
{
    for (const char* name : {".git/", ".hg/", ".svn/", "CVS/", ".bzr/"}) {
        std::string unused;
        (void)AddExclude(name, unused);
    }
}

bool Selection::Excludes(std::string_view name, std::string_view relative, bool folder) const
{
    std::string slashed;
    if (Brim::kPathSeparator != '/') {
        slashed.assign(relative);
        std::replace(slashed.begin(), slashed.end(), Brim::kPathSeparator, '/');
        relative = slashed;
    }
    return std::any_of(m_rules.begin(), m_rules.end(), [&](const Rule& rule) {
        return (folder || !rule.foldersOnly) && rule.glob.Matches(rule.byPath ? relative : name);
    });
}

std::optional<SkipReason> Selection::Leaves(std::string_view name, std::string_view relative,
                                            bool folder) const
{
    if (Excludes(name, relative, folder)) {
        return SkipReason::Excluded;
    }
    if (m_ignore && m_ignore(relative, folder)) {
        return SkipReason::Ignored;
    }
    return std::nullopt;
}

std::optional<SkipReason> Selection::LeavesPath(std::string_view relative, bool tracked) const
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = NextSeparator(relative, start);
        const bool folder = end != std::string_view::npos;
        const std::string_view name =
            relative.substr(start, folder ? end - start : std::string_view::npos);
        if (Excludes(name, relative.substr(0, folder ? end : relative.size()), folder)) {
            return SkipReason::Excluded;
        }
        if (!folder) {
            break;
        }
        start = end + 1;
    }
    // The ignore check looks at the folders on the way itself.
    if (m_ignore && !tracked && m_ignore(relative, false)) {
        return SkipReason::Ignored;
    }
    return std::nullopt;
}

bool Selection::SkipLinksUnder(const std::string& root)
{
    std::string real;
    if (!Brim::RealPath(root, real)) {
        return false;
    }
    m_linkRoot = Brim::JoinPath(real, {});
    return true;
}

std::optional<SkipReason> Selection::LeavesLink(const std::string& fullPath) const
{
    std::string target;
    if (m_linkRoot.empty() || !Brim::RealPath(fullPath, target) ||
        target.compare(0, m_linkRoot.size(), m_linkRoot) != 0) {
        return std::nullopt;
    }
    return SkipReason::Linked;
}

}  // namespace lintally::scan
