// Brim::CreateShortcut: a link to a file, in the form the desktop of the system reads.
//
// On Windows the link is a shell link (".lnk") made through the shell's link object: target
// path, empty arguments and the description, saved to the link path. On POSIX systems it is
// a freedesktop link entry (DesktopEntry.h) written to a temporary file beside the link path,
// flushed to disk and renamed over the link path, so a failed call never leaves a
// half-written link. Stateless apart from the file system; safe on any thread (a relative
// target is made absolute with the process's working folder on POSIX systems; on Windows
// each call initialises COM for the calling thread and uninitialises it again).
#pragma once

namespace Brim {

// Writes a link to target at linkPath, with description when it is non-null and non-empty;
// true when the link was saved. Null or empty paths give false. On Windows a link path that
// does not fit the 260 UTF-16 units of a shell link path (terminator included) gives false
// rather than a link saved under a cut name.
bool CreateShortcut(const char* linkPath, const char* target, const char* description);

}  // namespace Brim
