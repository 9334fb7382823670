#include "gitsel/RevisionLink.h"

#include <memory>
#include <vector>

namespace lintally::gitsel {

namespace {

// As many links as the system follows in one path before it calls it a loop.
constexpr int kMaxLinkHops = 40;

struct BlobFree
{
    void operator()(git_blob* blob) const { git_blob_free(blob); }
};

struct TreeEntryFree
{
    void operator()(git_tree_entry* entry) const { git_tree_entry_free(entry); }
};

}  // namespace

std::optional<std::string> LinkTargetPath(std::string_view linkPath, std::string_view target)
{
    if (target.empty() || target.front() == '/' || target.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::vector<std::string_view> parts;
    const std::size_t slash = linkPath.rfind('/');
    std::string joined = slash == std::string_view::npos
                             ? std::string()
                             : std::string(linkPath.substr(0, slash + 1));
    joined.append(target);
    const std::string_view whole(joined);
    std::size_t at = 0;
    while (at <= whole.size()) {
        std::size_t end = whole.find('/', at);
        if (end == std::string_view::npos) {
            end = whole.size();
        }
        const std::string_view part = whole.substr(at, end - at);
        if (part == "..") {
            if (parts.empty()) {
                return std::nullopt;
            }
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    if (parts.empty()) {
        return std::nullopt;
    }
    std::string path;
    for (const std::string_view part : parts) {
        path.append(path.empty() ? "" : "/").append(part);
    }
    return path;
}

std::optional<git_oid> FollowLink(git_repository* repository, git_tree* top, std::string linkPath,
                                  git_oid link)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        git_blob* opened = nullptr;
        if (git_blob_lookup(&opened, repository, &link) != 0) {
            return std::nullopt;
        }
        const std::unique_ptr<git_blob, BlobFree> blob(opened);
        const std::string_view target(static_cast<const char*>(git_blob_rawcontent(blob.get())),
                                      static_cast<std::size_t>(git_blob_rawsize(blob.get())));
        const std::optional<std::string> path = LinkTargetPath(linkPath, target);
        git_tree_entry* found = nullptr;
        if (!path || git_tree_entry_bypath(&found, top, path->c_str()) != 0) {
            return std::nullopt;
        }
        const std::unique_ptr<git_tree_entry, TreeEntryFree> entry(found);
        const git_filemode_t mode = git_tree_entry_filemode(entry.get());
        if (mode == GIT_FILEMODE_BLOB || mode == GIT_FILEMODE_BLOB_EXECUTABLE) {
            return *git_tree_entry_id(entry.get());
        }
        if (mode != GIT_FILEMODE_LINK) {
            return std::nullopt;
        }
        linkPath = *path;
        link = *git_tree_entry_id(entry.get());
    }
    return std::nullopt;
}

}  // namespace lintally::gitsel
