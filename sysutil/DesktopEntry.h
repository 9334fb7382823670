// The freedesktop link entry through which CreateShortcut makes a link on POSIX desktops.
//
// The entry is a ".desktop" text of Type=Link whose URL is the target's absolute path as a
// percent-encoded file:// URL. Pure functions; safe on any thread.
#pragma once

#include <string>

namespace Brim {

// "file://" followed by the absolute path, every byte other than letters, digits, "-", ".",
// "_", "~" and "/" written as %XX.
[[nodiscard]] std::string FileUrlFromPath(const std::string& absolutePath);

// The text of the link entry for an absolute target: Type=Link, Name (the target's last path
// part), URL and, when description is non-null and non-empty, Comment. Values are escaped as
// the format requires, so a line break in a description cannot start a key of its own.
[[nodiscard]] std::string BuildLinkEntry(const std::string& absoluteTarget,
                                         const char* description);

}  // namespace Brim
