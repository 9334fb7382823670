#include "gitsel/Revision.h"

namespace lintally::gitsel {

// This build has no git library: no revision is ever opened, and the command line says so
// before it counts.
struct Revision::State final : scan::IContentSource
{
    std::unique_ptr<scan::IContentReader> NewReader() const override { return nullptr; }

    std::string none;
    std::vector<std::string> files;
    std::vector<scan::SkippedFolder> missing;
};

Revision::Revision(std::unique_ptr<State> state) : m_state(std::move(state)) {}

Revision::~Revision() = default;

GitStatus Revision::Open(const std::string&, const std::string&, bool,
                         std::unique_ptr<Revision>& revision, std::string& error)
{
    revision.reset();
    error = "this build cannot read git repositories";
    return GitStatus::Unsupported;
}

const std::string& Revision::Name() const
{
    return m_state->none;
}

const std::string& Revision::Commit() const
{
    return m_state->none;
}

const std::vector<std::string>& Revision::Files() const
{
    return m_state->files;
}

const std::vector<scan::SkippedFolder>& Revision::Missing() const
{
    return m_state->missing;
}

const scan::IContentSource& Revision::Content() const
{
    return *m_state;
}

bool Revision::Bare() const
{
    return false;
}

std::vector<UnreadFile> Revision::Unread() const
{
    return {};
}

bool Revision::ReadFile(std::string_view, std::string& bytes, std::string& error)
{
    bytes.clear();
    error = "this build cannot read git repositories";
    return false;
}

std::optional<std::size_t> Revision::IndexOf(std::string_view)
{
    return std::nullopt;
}

bool Revision::SameBytes(std::size_t, const Revision&, std::size_t) const
{
    return false;
}

bool Revision::Holds(std::size_t, std::string_view) const
{
    return false;
}

std::vector<bool> Revision::SameFilesAs(Revision&) const
{
    return {};
}

}  // namespace lintally::gitsel
