#include "gitsel/GitObjects.h"

namespace lintally::gitsel {

std::string Hex(const git_oid& id)
{
    char text[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(text, sizeof text, &id);
    return text;
}

}  // namespace lintally::gitsel
