#include "gitsel/LineDiff.h"

namespace lintally::gitsel {

LineDiff::LineDiff() = default;

LineDiff::~LineDiff() = default;

bool LineDiff::Supported()
{
    return false;
}

bool LineDiff::Compare(std::string_view, std::string_view, LineCounts& changes,
                       std::string& error) const
{
    changes = {};
    error = "this build cannot compare lines (no libgit2)";
    return false;
}

}  // namespace lintally::gitsel
