#include "app/main_form_win.h"

#include <exception>

#include "app/about_box_win.h"
#include "platform/error_report_win.h"
#include "platform/scoped_win.h"
#include "platform/shell_win.h"
#include "runner/game_batch_file.h"
#include "settings/display_modes_win.h"
#include "settings/settings_load.h"

bool MainForm::Create(const ArgumentList& args) {
    mode_ = ReadStartupMode(args);
    if (mode_.BatchMode) benchOptions_ = ReadBatchOptions(args);
    if (!mode_.BatchMode) AboutBox::ShowSplash();
    if (!CreateCentred("TForm1", "Lurkmark", WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU, WS_EX_APPWINDOW,
                       kClientWidth, kClientHeight, nullptr)) {
        return false;
    }
    paths_.BenchDir = ProgramFolder();
    LoadSettingsReportingErrors();
    return true;
}

void MainForm::LoadSettingsReportingErrors() {
    SettingsLoadContext ctx{settings_, files_, BuildDisplayModeList, nullptr};
    try {
        LoadSettings(ctx, options_, paths_);
    } catch (const std::exception& e) {
        // The rest of the load is skipped; the window still opens.
        ReportUnhandledError(Handle(), e);
    }
}

void MainForm::BenchButtonClick() {}

LRESULT MainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_CLOSE:
        FormClose();
        DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

void MainForm::FormActivate() {
    if (!mode_.BatchMode || batchBehaviourStarted_) return;
    batchBehaviourStarted_ = true;
    if (mode_.OpenMode) {
        if (files_.FolderExists(options_.resultFolder)) ShellOpen(options_.resultFolder);
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    ShowWindow(Handle(), SW_MINIMIZE);
    BenchButtonClick();
}

void MainForm::FormClose() {}

void MainForm::FormDestroy() {
    if (!paths_.GamePath.empty()) {
        files_.DeleteFileIfExists(JoinPath(paths_.GamePath, kGameBatchFileName));
        files_.DeleteFileIfExists(paths_.CfgPath + "qconsole.log");
    }
    files_.DeleteFileIfExists(paths_.BenchDir + "batchview.txt");
}

void MainForm::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
