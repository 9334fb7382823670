#include <cstdio>
#include <cstdlib>

#include "tests/support/GitCommand.h"

namespace lintally::testing {

namespace {

std::string GitCommandLine(const std::string& folder, const std::string& args)
{
    return "git -C '" + folder +
           "' -c user.name=t -c user.email=t@t -c protocol.file.allow=always " + args;
}

}  // namespace

void Git(const std::string& folder, const std::string& args)
{
    const std::string command = GitCommandLine(folder, args);
    ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
}

std::string GitOutput(const std::string& folder, const std::string& args)
{
    const std::string command = GitCommandLine(folder, args) + " 2>/dev/null";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) {
            out.append(buffer, got);
        }
        EXPECT_EQ(pclose(pipe), 0) << command;
    }
    return out;
}

}  // namespace lintally::testing
