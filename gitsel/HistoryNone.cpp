#include "gitsel/History.h"

namespace lintally::gitsel {

// This build has no git library: no history is ever opened, and the command line says so
// before it counts.
struct History::State
{
    std::vector<HistoryCommit> commits;
    HistoryWork work;
};

History::History(std::unique_ptr<State> state) : m_state(std::move(state)) {}

History::~History() = default;

GitStatus History::Open(const std::string&, const std::string&, const scan::CountRequest&,
                        std::unique_ptr<History>& history, std::string& error)
{
    history.reset();
    error = "this build cannot read git repositories";
    return GitStatus::Unsupported;
}

const std::vector<HistoryCommit>& History::Commits() const
{
    return m_state->commits;
}

GitStatus History::Count(std::size_t, const scan::StopToken&, scan::IScanSink&,
                         scan::ScanResult& result, std::string& error)
{
    result = scan::ScanResult();
    error = "this build cannot read git repositories";
    return GitStatus::Unsupported;
}

const HistoryWork& History::Work() const
{
    return m_state->work;
}

std::vector<UnreadFile> History::Unread() const
{
    return {};
}

}  // namespace lintally::gitsel
