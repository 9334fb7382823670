// Brim::CreateShortcut: a desktop link to a file, written as a freedesktop link entry.
//
// The entry is a ".desktop" file of Type=Link whose URL is the target's absolute path as a
// percent-encoded file:// URL. It is written to a temporary file beside the link path,
// flushed to disk and renamed over the link path, so a failed call leaves no file behind
// and never a half-written link. Stateless apart from the file system; safe on any thread
// (a relative target is made absolute with the process's working folder).
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

// Writes the link entry for target to linkPath; true when it was written. Null or empty
// paths give false.
bool CreateShortcut(const char* linkPath, const char* target, const char* description);

} // namespace Brim
