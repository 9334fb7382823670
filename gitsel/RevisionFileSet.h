// The files of a git revision, or some of them, as the file set of a count (see
// scan/CountRequest.h): a list named as Files() names them, whose bytes come from the
// repository, with the submodules the revision had to leave out as missing folders.
//
// Made and read on one thread; the set it gives is valid while it lives, and the revision
// and the indexes given outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gitsel/Revision.h"
#include "scan/CountRequest.h"

namespace lintally::gitsel {

class RevisionFileSet
{
public:
    // only: the indexes into Files() of the files to count, in order; all when null.
    RevisionFileSet(const Revision& revision, const std::vector<std::uint32_t>* only);
    ~RevisionFileSet();
    RevisionFileSet(const RevisionFileSet&) = delete;
    RevisionFileSet& operator=(const RevisionFileSet&) = delete;

    [[nodiscard]] scan::FileSet Files() const;

private:
    class SomeFiles;

    const Revision& m_revision;
    std::vector<std::string> m_names;  // the chosen files' names, when not all
    std::unique_ptr<SomeFiles> m_some;
};

}  // namespace lintally::gitsel
