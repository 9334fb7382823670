// What only a Windows test tree holds: file attributes and folder links, and a handle that
// keeps a file open without sharing.
//
// Free functions and a small owner over a TempFolder; used from the test thread only.
#pragma once

#include <windows.h>

#include <string>

#include "tests/support/TempFolder.h"

namespace lintally::testing {

inline bool AddAttributes(const TempFolder& tree, const std::string& relative, DWORD attributes)
{
    const std::string path = tree.Path(relative);
    const DWORD present = ::GetFileAttributesA(path.c_str());
    return present != INVALID_FILE_ATTRIBUTES &&
           ::SetFileAttributesA(path.c_str(), (present & ~FILE_ATTRIBUTE_NORMAL) | attributes) !=
               FALSE;
}

// The host's `ln -s` run from inside Wine, which shows the link as a folder reparse point.
inline bool MakeHostLink(const std::string& link, std::string target)
{
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR wide[MAX_PATH];
    if (toUnix == nullptr ||
        ::MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH) == 0) {
        return false;
    }
    char* unixLink = toUnix(wide);
    if (unixLink == nullptr) {
        return false;
    }
    for (char& c : target) {
        c = c == '\\' ? '/' : c;
    }
    std::string command = "/bin/ln -s \"" + target + "\" \"" + unixLink + "\"";
    ::HeapFree(::GetProcessHeap(), 0, unixLink);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    // A host program gives Wine no process to wait on; the caller looks for the link.
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

// A folder symbolic link at relative leading to target. Wine 8 answers CreateSymbolicLinkA
// without making anything, so under Wine the host makes the link. False when neither can.
inline bool MakeFolderLink(const TempFolder& tree, const std::string& relative,
                           const std::string& target)
{
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    const std::string link = tree.Path(relative);
    const auto isLink = [&link] {
        const DWORD attributes = ::GetFileAttributesA(link.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    };
    ::CreateSymbolicLinkA(link.c_str(), target.c_str(),
                          SYMBOLIC_LINK_FLAG_DIRECTORY | kUnprivileged);
    if (isLink()) {
        return true;
    }
    if (!MakeHostLink(link, target)) {
        return false;
    }
    for (int wait = 0; wait < 500 && !isLink(); ++wait) {
        ::Sleep(10);
    }
    return isLink();
}

// Holds a file open for reading and writing with no sharing, as an editor or a backup tool
// may; nobody else can open it meanwhile.
class ExclusiveOpen
{
public:
    explicit ExclusiveOpen(const std::string& path)
        : m_handle(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {}
    ~ExclusiveOpen()
    {
        if (IsOpen()) {
            ::CloseHandle(m_handle);
        }
    }
    ExclusiveOpen(const ExclusiveOpen&) = delete;
    ExclusiveOpen& operator=(const ExclusiveOpen&) = delete;

    [[nodiscard]] bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

}  // namespace lintally::testing
