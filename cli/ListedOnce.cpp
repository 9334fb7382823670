#include "cli/ListedOnce.h"

#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "fileio/JoinPath.h"
#include "fileio/RealPath.h"

namespace lintally::cli {

namespace {

// The entry's folder as the system resolves it, then its name. A folder that cannot be
// resolved (it is missing) keeps its name as written, "." and ".." taken out.
class EntryKeys
{
public:
    std::string Of(const std::string& path)
    {
        const std::filesystem::path full(path);
        const std::string folder = full.parent_path().string();
        auto [at, added] = m_folders.try_emplace(folder);
        if (added && !Brim::RealPath(folder.empty() ? "." : folder, at->second)) {
            at->second = full.parent_path().lexically_normal().string();
        }
        return Brim::JoinPath(at->second, full.filename().string());
    }

private:
    std::unordered_map<std::string, std::string> m_folders;
};

}  // namespace

void KeepEachFileOnce(const std::string& prefix, std::vector<std::string>& names)
{
    EntryKeys keys;
    std::unordered_set<std::string> seen;
    std::size_t kept = 0;
    for (std::string& name : names) {
        if (!seen.insert(keys.Of(prefix + name)).second) {
            continue;
        }
        if (&names[kept] != &name) {
            names[kept] = std::move(name);
        }
        ++kept;
    }
    names.resize(kept);
}

}  // namespace lintally::cli
