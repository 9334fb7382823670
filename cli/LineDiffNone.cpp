#include "cli/LineDiff.h"

namespace lintally::cli {

LineDiff::LineDiff() = default;

LineDiff::~LineDiff() = default;

bool LineDiff::Supported()
{
    return false;
}

bool LineDiff::Compare(std::string_view, std::string_view, results::LineChanges& changes,
                       std::string& error) const
{
    changes = {};
    error = "this build cannot compare lines (no libgit2)";
    return false;
}

}  // namespace lintally::cli
