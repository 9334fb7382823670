#include "win32/Win32Prompts.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

std::string Utf8ToAnsi(const std::string& text)
{
    if (text.empty()) {
        return text;
    }
    const int wide =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), buffer.data(),
                        wide);
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, buffer.data(), wide, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

bool CWin32Prompts::AskYesNo(const std::string& caption, const std::string& text)
{
    return MessageBoxA(m_owner, Utf8ToAnsi(text).c_str(), Utf8ToAnsi(caption).c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CWin32Prompts::ShowError(const std::string& caption, const std::string& text)
{
    MessageBoxA(m_owner, text.c_str(), Utf8ToAnsi(caption).c_str(), MB_OK | MB_ICONERROR);
}

std::string CWin32Prompts::GetSaveFileName(const SaveFileRequest& request)
{
    // Pairs of description and pattern, each ended by a zero, the list by one more.
    std::string filter;
    for (const SaveFileFilter& pair : request.filters) {
        filter += Utf8ToAnsi(pair.description);
        filter.push_back('\0');
        filter += pair.pattern;
        filter.push_back('\0');
    }
    filter.push_back('\0');
    const std::string title = Utf8ToAnsi(request.title);
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = request.defaultSuffix.c_str();
    ofn.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (request.confirmOverwrite ? OFN_OVERWRITEPROMPT : 0);
    return GetSaveFileNameA(&ofn) ? std::string(path) : std::string();
}

namespace {

// Opens the browser on the folder passed as its data.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

}  // namespace

Brim::LPITEMIDLIST CWin32Prompts::BrowseForFolder(const std::string& title,
                                                  const std::string& selection)
{
    const std::string text = Utf8ToAnsi(title);
    char name[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = m_owner;
    info.pszDisplayName = name;
    info.lpszTitle = text.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(selection.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr) {
        return nullptr;
    }
    char path[MAX_PATH] = {};
    const BOOL isPath = SHGetPathFromIDListA(chosen, path);
    CoTaskMemFree(chosen);
    // A virtual folder (no path in the file system) is no root to scan.
    return isPath ? Brim::CreateIDListFromPath(path) : nullptr;
}

void CWin32Prompts::OpenWithDesktop(const std::string& path)
{
    ShellExecuteA(m_owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
