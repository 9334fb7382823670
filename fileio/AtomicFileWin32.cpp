// WriteFileAtomically on Windows: a new file beside the target (CREATE_NEW), WriteFile,
// FlushFileBuffers, then MoveFileExA with MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH, so the move itself is on the disk when the call returns.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "fileio/AtomicFile.h"
#include "fileio/LastError.h"
#include "fileio/MessageText.h"
#include "fileio/WriteAll.h"

namespace Brim {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kMaxStemInName = 64;

// Where the target's name starts: after its last separator, or after a drive ("C:x.txt").
std::size_t NameStart(const std::string& path)
{
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? 0 : cut + 1;
}

// The step, what it failed on, and the system's text for the thread's last error.
std::string Reason(const char* step, const std::string& subject)
{
    return std::string(step) + " " + EscapeControlBytes(subject) + ": " + GetLastErrorLine();
}

// Creates a fresh temporary file named after the target in the target's folder.
HANDLE CreateTemporary(const std::string& folder, const std::string& stem, std::string& tempPath)
{
    // The process id and the clock make a clash unlikely; CREATE_NEW makes it harmless.
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        tempPath = folder + "." + stem.substr(0, kMaxStemInName) + ".tmp" +
                   std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(tick + attempt);
        const HANDLE handle = ::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const Content& content, std::string& error)
{
    const std::size_t nameStart = NameStart(path);
    const std::string folder = path.substr(0, nameStart);
    const std::string stem = path.substr(nameStart);
    std::string tempPath;
    const HANDLE handle = CreateTemporary(folder, stem, tempPath);
    if (handle == INVALID_HANDLE_VALUE) {
        error = Reason("cannot create a temporary file in", folder.empty() ? "." : folder);
        return false;
    }
    const char* step = nullptr;
    if (!content([handle](std::string_view piece) { return WriteAll(handle, piece); })) {
        step = "cannot write";
    } else if (!::FlushFileBuffers(handle)) {
        step = "cannot flush";
    }
    if (step != nullptr) {
        error = Reason(step, tempPath);
    }
    if (!::CloseHandle(handle) && step == nullptr) {
        step = "cannot close";
        error = Reason(step, tempPath);
    }
    if (step == nullptr && !::MoveFileExA(tempPath.c_str(), path.c_str(),
                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        step = "cannot replace";
        error = Reason(step, path);
    }
    if (step != nullptr) {
        ::DeleteFileA(tempPath.c_str());
        return false;
    }
    return true;
}

}  // namespace Brim
