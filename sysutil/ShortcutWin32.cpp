#include "sysutil/Shortcut.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace Brim {

namespace {

// COM for the calling thread for the length of one call. A thread that already runs COM in
// another apartment mode keeps it: COM is usable there, and this call must not end it.
class CComSession
{
public:
    CComSession() : m_hResult(::CoInitialize(nullptr)) {}
    ~CComSession()
    {
        if (SUCCEEDED(m_hResult)) {
            ::CoUninitialize();
        }
    }
    CComSession(const CComSession&) = delete;
    CComSession& operator=(const CComSession&) = delete;

    bool Usable() const { return SUCCEEDED(m_hResult) || m_hResult == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hResult;
};

// Holds one interface pointer and releases it.
template <class Interface>
class CComRef
{
public:
    CComRef() = default;
    ~CComRef()
    {
        if (m_pObject != nullptr) {
            m_pObject->Release();
        }
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    void** Receive() { return reinterpret_cast<void**>(&m_pObject); }
    Interface* operator->() const { return m_pObject; }
    Interface& operator*() const { return *m_pObject; }

private:
    Interface* m_pObject = nullptr;
};

bool SaveLink(IShellLinkA& link, const wchar_t* linkPath)
{
    CComRef<IPersistFile> file;
    if (FAILED(link.QueryInterface(IID_IPersistFile, file.Receive()))) {
        return false;
    }
    return SUCCEEDED(file->Save(linkPath, TRUE));
}

}  // namespace

bool CreateShortcut(const char* linkPath, const char* target, const char* description)
{
    if (linkPath == nullptr || *linkPath == '\0' || target == nullptr || *target == '\0') {
        return false;
    }
    // The link is saved under its UTF-16 name; a name that does not fit is refused whole.
    wchar_t wideLinkPath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, wideLinkPath, MAX_PATH) == 0) {
        return false;
    }
    CComSession com;
    if (!com.Usable()) {
        return false;
    }
    CComRef<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.Receive()))) {
        return false;
    }
    if (FAILED(link->SetPath(target)) || FAILED(link->SetArguments(""))) {
        return false;
    }
    if (description != nullptr && *description != '\0' &&
        FAILED(link->SetDescription(description))) {
        return false;
    }
    return SaveLink(*link, wideLinkPath);
}

}  // namespace Brim
