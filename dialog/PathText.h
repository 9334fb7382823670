// Paths as the dialog handles them: the root a destination text names, and the existence
// tests that enable Calculate and start a walk. Paths are bytes as the file system takes
// them, never re-encoded on their way to the scan.
//
// Functions without state; any thread.
#pragma once

#include <string>

// The root folder a destination text names: "~" alone, or "~" followed by a separator,
// stands for the home folder (HOME; on Windows USERPROFILE), as in a shell; every other
// text, and "~" when the home folder is unknown, is taken as it is.
[[nodiscard]] std::string RootFromDestination(const std::string& text);

// The path as the dialog shows it: a path inside the home folder starts with "~" where the
// home folder's own text stood, so RootFromDestination gives the path back. Windows users
// do not write "~", so there every path is shown as it is.
[[nodiscard]] std::string HomeAbbreviated(const std::string& path);

// The text the destination box starts with (scan/Presets.h says which): the first preset, or
// the working folder as HomeAbbreviated shows it (the first preset when it cannot be told).
[[nodiscard]] std::string StartDestination();

// True when path names an existing file or folder (symbolic links followed); an empty path
// names nothing.
[[nodiscard]] bool PathFileExists(const std::string& path);

// True when path names an existing folder (symbolic links followed).
[[nodiscard]] bool PathIsFolder(const std::string& path);
