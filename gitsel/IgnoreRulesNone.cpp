#include "gitsel/IgnoreRules.h"

namespace lintally::gitsel {

struct IgnoreRules::Repository
{};

IgnoreRules::IgnoreRules(std::unique_ptr<Repository> repository)
    : m_repository(std::move(repository))
{}

IgnoreRules::~IgnoreRules() = default;

// This build has no git library; the command line says so before it scans.
GitStatus IgnoreRules::Open(const std::string&, std::unique_ptr<IgnoreRules>& rules,
                            std::string& error)
{
    rules.reset();
    error = "this build cannot read git repositories";
    return GitStatus::Unsupported;
}

bool IgnoreRules::Ignores(std::string_view, bool)
{
    return false;
}

}  // namespace lintally::gitsel
