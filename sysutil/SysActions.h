// Brim::ISysActions and CSysActions: the system actions of the support library.
//
// High-resolution counter, opening a file or document, a message box, a shutdown request
// and the last error's text. CSysActions borrows the COsVersion it is given (it must outlive
// the actions) and the shutdown executor (the system one when none is given); the message
// box goes through the installed IMessagePresenter, or the system's own way of showing a
// message when none is installed (PresentBySystem). One thread at a time per object; the
// presenter rule of MessagePresenter.h applies to ShowMessage.
#pragma once

#include "sysutil/OsVersion.h"
#include "sysutil/ShutdownExecutor.h"

#include <cstdint>

namespace Brim {

class ISysActions
{
public:
    // The high-resolution counter: QueryPerformanceCounter ticks on Windows, CLOCK_MONOTONIC
    // nanoseconds on POSIX systems; 0 when it is unavailable.
    virtual std::int64_t QueryCounter() = 0;
    // Opens file with the user's application, or runs it with parameters when it is an
    // executable and parameters are given; true when the program started. On Windows this is
    // ShellExecuteA with the default verb, shown normally; elsewhere xdg-open (or the
    // executable itself) started without a shell. A null or empty file gives false.
    virtual bool ShellOpen(const char* file, const char* parameters) = 0;
    // Shows a message box through the installed presenter (codes in MessagePresenter.h);
    // without a presenter through PresentBySystem.
    virtual std::int32_t ShowMessage(const char* caption, const char* text, std::uint32_t buttons,
                                     std::uint32_t icon) = 0;
    // Asks the system to power off (bit 0), reboot (bit 1) or log the user off, with force
    // when bit 2 is set, holding "SeShutdownPrivilege" around the request; true when the
    // system accepted the request.
    virtual bool Shutdown(std::uint32_t flags) = 0;
    // The text of the calling thread's last error, as Brim::GetLastErrorText.
    virtual bool GetLastErrorText(char* buffer, std::uint32_t size) = 0;

protected:
    ~ISysActions() = default;
};

class CSysActions final : public ISysActions
{
public:
    explicit CSysActions(const COsVersion* version, IShutdownExecutor* executor = nullptr);

    CSysActions(const CSysActions&) = delete;
    CSysActions& operator=(const CSysActions&) = delete;

    std::int64_t QueryCounter() override;
    bool ShellOpen(const char* file, const char* parameters) override;
    std::int32_t ShowMessage(const char* caption, const char* text, std::uint32_t buttons,
                             std::uint32_t icon) override;
    bool Shutdown(std::uint32_t flags) override;
    bool GetLastErrorText(char* buffer, std::uint32_t size) override;

    [[nodiscard]] const COsVersion* GetVersion() const { return m_pVersion; }

private:
    const COsVersion* m_pVersion;
    IShutdownExecutor* m_pExecutor;
};

}  // namespace Brim
