#include "gitsel/TrackedFiles.h"

namespace lintally::gitsel {

// This build has no git library; the command line says so before it scans.
GitStatus ListTrackedFiles(const std::string&, std::vector<std::string>& names, std::string& error)
{
    names.clear();
    error = "this build cannot read git repositories";
    return GitStatus::Unsupported;
}

}  // namespace lintally::gitsel
