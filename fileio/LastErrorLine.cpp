#include "fileio/LastError.h"

#include <algorithm>

namespace Brim {

std::string GetLastErrorLine()
{
    char text[512];
    GetLastErrorText(text, sizeof text);
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

}  // namespace Brim
