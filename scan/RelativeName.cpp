#include "scan/RelativeName.h"

#include "fileio/PathSeparator.h"

namespace lintally::scan {

std::size_t RelativeNameOffset(std::size_t rootLength, std::string_view fullPath)
{
    std::size_t offset = rootLength < fullPath.size() ? rootLength : fullPath.size();
    if (offset < fullPath.size() && Brim::IsPathSeparator(fullPath[offset])) {
        ++offset;
    }
    return offset;
}

std::string RelativeName(std::string_view root, std::string_view fullPath)
{
    return std::string(fullPath.substr(RelativeNameOffset(root.size(), fullPath)));
}

}  // namespace lintally::scan
