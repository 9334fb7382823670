#include "gitsel/IgnoreRules.h"

#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

struct IgnoreRules::Repository
{
    WorkTree tree;
    std::string path;  // reused for each question
};

IgnoreRules::IgnoreRules(std::unique_ptr<Repository> repository)
    : m_repository(std::move(repository))
{}

IgnoreRules::~IgnoreRules() = default;

GitStatus IgnoreRules::Open(const std::string& root, std::unique_ptr<IgnoreRules>& rules,
                            std::string& error)
{
    auto repository = std::make_unique<Repository>();
    const GitStatus status = OpenWorkTree(root, repository->tree, error);
    if (status == GitStatus::Ok) {
        rules.reset(new IgnoreRules(std::move(repository)));
    }
    return status;
}

bool IgnoreRules::Ignores(std::string_view relative, bool folder)
{
    const std::size_t slash = relative.find_last_of('/');
    if (folder && relative.substr(slash == std::string_view::npos ? 0 : slash + 1) == ".git") {
        return true;
    }
    std::string& path = m_repository->path;
    path.assign(m_repository->tree.prefix).append(relative);
    // A trailing '/' tells the library it is a folder, so rules that end in '/' apply.
    if (folder) {
        path.push_back('/');
    }
    int ignored = 0;
    return git_ignore_path_is_ignored(&ignored, m_repository->tree.repository.get(),
                                      path.c_str()) == 0 &&
           ignored != 0;
}

}  // namespace lintally::gitsel
