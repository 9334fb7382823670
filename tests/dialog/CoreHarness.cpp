#include "CoreHarness.h"

#include "dialog/ControlIds.h"
#include "fileio/PathSeparator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

std::string Native(std::string path)
{
    std::replace(path.begin(), path.end(), '/', Brim::kPathSeparator);
    return path;
}

CoreHarness::CoreHarness() : dialog(std::make_unique<CLintallyDlgCore>(view, prompts))
{
    for (const int box : {IDC_CHK_INCLUDE_SUB, IDC_CHK_INCLUDE_REMED, IDC_CHK_EXCLUDE_BLANK}) {
        view.controls[box];
    }
    view.SetText(IDC_BTN_CALCULATE, "&Calculate");
    view.SetText(IDC_BTN_MORE, "&More");
    dialog->OnInitDialog();
}

CoreHarness::~CoreHarness() = default;

std::string CoreHarness::Root() const
{
    return folder.Root();
}

void CoreHarness::WriteFile(const std::string& relativePath, const std::string& content) const
{
    folder.Write(relativePath, content);
}

void CoreHarness::MakeFolder(const std::string& relativePath) const
{
    folder.Folder(relativePath);
}

void CoreHarness::WriteManyFiles(int count) const
{
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%04d.c", i);
        WriteFile(name, "x;\n");
    }
}

void CoreHarness::Type(int comboId, const std::string& text)
{
    view.controls[comboId].text = text;
    view.controls[comboId].selected = -1;
    if (comboId == IDC_CB_FILETYPE) {
        dialog->OnEditChangeFileType();
    } else {
        dialog->OnEditChangeDestination();
    }
}

void CoreHarness::Pick(int comboId, int index)
{
    // As a Windows combo box does: the selection changes before the edit field follows.
    view.controls[comboId].selected = index;
    if (comboId == IDC_CB_FILETYPE) {
        dialog->OnSelChangeFileType();
    } else {
        dialog->OnSelChangeDestination();
    }
    view.controls[comboId].text = view.GetSelectedItemText(comboId);
}

void CoreHarness::Click(int id)
{
    if (!view.Get(id).enabled) {
        return;
    }
    if (id == IDC_CHK_INCLUDE_SUB || id == IDC_CHK_INCLUDE_REMED || id == IDC_CHK_EXCLUDE_BLANK) {
        view.controls[id].checked = !view.controls[id].checked;
    }
    dialog->OnCommand(id);
}

void CoreHarness::Scan(const std::string& typeList)
{
    Type(IDC_CB_FILETYPE, typeList);
    Type(IDC_CB_DESTINATION, Root());
    Click(IDC_BTN_CALCULATE);
    WaitForScanEnd();
}

bool CoreHarness::WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        // Only a posted message brings reports, as in a window's message loop.
        if (view.posted.exchange(false)) {
            dialog->OnWorkerReports();
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    return done();
}

bool CoreHarness::WaitForScanEnd(int timeoutMs)
{
    // The caption comes back with the worker's last report, just after it stops scanning.
    return WaitUntil(
        [this] { return !dialog->IsScanning() && Text(IDC_BTN_CALCULATE) == "&Calculate"; },
        timeoutMs);
}

bool CoreHarness::WaitForRows(int rows, int timeoutMs)
{
    return WaitUntil([this, rows] { return RowCount() >= rows; }, timeoutMs);
}

std::vector<std::string> CoreHarness::RowNames() const
{
    std::vector<std::string> names;
    for (const auto& row : dialog->GetRows().Sorted()) {
        names.push_back(row.name);
        std::replace(names.back().begin(), names.back().end(), Brim::kPathSeparator, '/');
    }
    return names;
}
