// Inflating one zlib stream of a git object file (a loose object, or an entry of a pack) from
// a given offset, chunk by chunk, in memory that does not grow with the object.
//
// Every call either consumes input, gives output or fails: a stream cut short by the end of
// the file, or bytes zlib cannot read, end the inflation with an error in our words, never a
// loop. Owns its file; one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "gitsel/PositionedFile.h"

namespace lintally::gitsel {

class ObjectInflater
{
public:
    // Opens path and starts inflating at offset; false with Error() set when it cannot be opened.
    [[nodiscard]] bool Open(const std::string& path, std::uint64_t offset);
    ObjectInflater();
    ~ObjectInflater();
    ObjectInflater(const ObjectInflater&) = delete;
    ObjectInflater& operator=(const ObjectInflater&) = delete;

    // Up to count inflated bytes into out; fewer only at the stream's end or on a failure.
    [[nodiscard]] std::size_t Read(void* out, std::size_t count);
    // Reads up to and past a NUL byte into text (without it), at most limit bytes before it;
    // false with Error() set when the stream ends or fails first.
    [[nodiscard]] bool ReadUntilNul(std::string& text, std::size_t limit);
    // True when the stream has ended with nothing more to give; false with Error() set when
    // more bytes follow or it was cut short.
    [[nodiscard]] bool AtEnd();

    [[nodiscard]] bool Failed() const { return !m_error.empty(); }
    [[nodiscard]] const std::string& Error() const { return m_error; }

private:
    void Fail(std::string why);
    void Close();

    struct Zlib;
    std::unique_ptr<Zlib> m_zlib;
    PositionedFile m_file;
    std::uint64_t m_offset = 0;  // where the next input is read in the file
    bool m_ended = false;
    std::string m_error;
};

}  // namespace lintally::gitsel
