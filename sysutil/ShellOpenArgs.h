// The argument vector with which ShellOpen starts a file or document.
//
// A document is handed to "xdg-open", which picks the user's application for it. An
// executable file given parameters is started itself, the parameters split on blanks into
// separate arguments (no quoting rules: nothing here is ever read by a shell). Pure
// functions apart from IsExecutableFile, which asks the file system; safe on any thread.
#pragma once

#include <string>
#include <vector>

namespace Brim {

// Splits text on spaces, tabs and line ends into words; null or blank text gives none.
[[nodiscard]] std::vector<std::string> SplitParameters(const char* text);

// The argv for opening file: {file, words of parameters...} when fileIsExecutable and the
// parameters hold a word, otherwise {"xdg-open", file}. A file name starting with "-" is
// given as "./-..." so that it is never read as an option, and an executable named without
// a "/" is given as "./name" so that PATH is not searched for it. A null or empty file gives
// an empty vector.
[[nodiscard]] std::vector<std::string> BuildShellOpenArgv(const char* file, const char* parameters,
                                                          bool fileIsExecutable);

// True when path names a regular file (links followed) that this process may execute.
[[nodiscard]] bool IsExecutableFile(const char* path);

}  // namespace Brim
