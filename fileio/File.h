// IFile: a stream that is opened and closed by path, can change its size, read and set its
// times, and report its name and the text of the last system error. FileDateTime: the date
// and time record those time operations use.
//
// A file is destroyed through IFile (virtual destructor) or as its own type. Failures come
// back as results (false, 0, 0xFFFFFFFF, zeroed records), never as exceptions. No locks: one
// thread uses a file object at a time, and GetErrorText must run on the thread whose call failed.
#pragma once

#include "fileio/Stream.h"

#include <cstdint>

namespace Brim {

// A date and time in UTC. Each field holds what the system keeps in 16 bits.
struct FileDateTime
{
    std::uint32_t year;         // four digits
    std::uint32_t month;        // 1 to 12
    std::uint32_t day;          // 1 to 31
    std::uint32_t hour;         // 0 to 23
    std::uint32_t minute;       // 0 to 59
    std::uint32_t second;       // 0 to 59
    std::uint32_t millisecond;  // 0 to 999
};

class IFile : public IStream
{
public:
    // Closes what was open, then opens path; create makes a missing file (empty). True when open.
    virtual bool Open(const char* path, bool create, std::uint32_t mode) = 0;
    // Closes the file and clears the name; the mode stays.
    virtual void Close() = 0;
    // Sets the size; the position is left at the new end. False when the size was not set.
    virtual bool SetSize(std::int32_t size) = 0;
    // Fills the given records (either may be null) with the creation and last-write times;
    // a time the system cannot give leaves its record all zero.
    virtual void GetTime(FileDateTime* created, FileDateTime* modified) = 0;
    // Sets the given times (either may be null); returns how many times were really set.
    virtual std::uint32_t SetTime(const FileDateTime* created, const FileDateTime* modified) = 0;
    // The path of the open file; an empty string when closed.
    virtual const char* GetName() = 0;
    // The system's text for the calling thread's last error; always a terminated string.
    virtual const char* GetErrorText() = 0;

    virtual ~IFile() = default;

protected:
    IFile() = default;
    IFile(const IFile&) = default;
    IFile& operator=(const IFile&) = default;
};

}  // namespace Brim
