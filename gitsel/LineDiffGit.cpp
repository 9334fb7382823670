#include "gitsel/LineDiff.h"

#include <git2.h>

#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

namespace {

int OnLine(const git_diff_delta*, const git_diff_hunk*, const git_diff_line* line, void* payload)
{
    auto& changes = *static_cast<LineCounts*>(payload);
    if (line->origin == GIT_DIFF_LINE_ADDITION) {
        ++changes.added;
    } else if (line->origin == GIT_DIFF_LINE_DELETION) {
        ++changes.removed;
    }
    return 0;
}

}  // namespace

LineDiff::LineDiff()
{
    git_libgit2_init();
}

LineDiff::~LineDiff()
{
    git_libgit2_shutdown();
}

bool LineDiff::Supported()
{
    return true;
}

bool LineDiff::Compare(std::string_view before, std::string_view after, LineCounts& changes,
                       std::string& error) const
{
    changes = {};
    git_diff_options options;
    git_diff_options_init(&options, GIT_DIFF_OPTIONS_VERSION);
    // Every text is compared line by line, a NUL byte in it too; only the changed lines
    // are wanted, without context.
    options.flags = GIT_DIFF_FORCE_TEXT;
    options.context_lines = 0;
    options.interhunk_lines = 0;
    if (git_diff_buffers(before.data(), before.size(), nullptr, after.data(), after.size(), nullptr,
                         &options, nullptr, nullptr, nullptr, OnLine, &changes) != 0) {
        error = LastGitError("the line diff failed");
        return false;
    }
    return true;
}

}  // namespace lintally::gitsel
