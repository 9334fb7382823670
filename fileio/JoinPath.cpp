#include "fileio/JoinPath.h"

#include "fileio/PathSeparator.h"

namespace Brim {

std::string JoinPath(std::string_view root, std::string_view name)
{
    std::string path;
    path.reserve(root.size() + 1 + name.size());
    path.append(root);
    if (root.empty() || !IsPathSeparator(root.back())) {
        path.push_back(kPathSeparator);
    }
    return path.append(name);
}

}  // namespace Brim
