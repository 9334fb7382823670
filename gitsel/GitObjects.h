// Owning pointers to libgit2's objects, and an object id as text: what the readers of a
// revision and of a history share.
//
// Plain types; each object is used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include <git2.h>

namespace lintally::gitsel {

struct ObjectFree
{
    void operator()(git_object* object) const { git_object_free(object); }
};

struct TreeFree
{
    void operator()(git_tree* tree) const { git_tree_free(tree); }
};

struct TreeEntryFree
{
    void operator()(git_tree_entry* entry) const { git_tree_entry_free(entry); }
};

struct OdbFree
{
    void operator()(git_odb* odb) const { git_odb_free(odb); }
};

struct OdbObjectFree
{
    void operator()(git_odb_object* object) const { git_odb_object_free(object); }
};

using ObjectPtr = std::unique_ptr<git_object, ObjectFree>;
using TreePtr = std::unique_ptr<git_tree, TreeFree>;

// The id as 40 hex digits.
[[nodiscard]] std::string Hex(const git_oid& id);

}  // namespace lintally::gitsel
