#include <windows.h>
#include <commctrl.h>

#include "app/about_box_win.h"
#include "app/compare_command.h"
#include "app/compare_command_win.h"
#include "app/main_form_win.h"
#include "app/picker_form_win.h"
#include "app/quiet_start_win.h"
#include "platform/shell_win.h"
#include "platform/system_library_win.h"
#include "ui/dpi_win.h"
#include "ui/wait_form_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    RestrictLibrarySearch();
    DeclareDpiAware();
    const ArgumentList args = ProgramArguments();
    // A comparison from the command line needs no window of its own.
    if (const auto files = CompareFilesOf(args)) return RunCompareCommand(args, *files);
    if (const auto refused = RefuseUntrustedQuietStart(args)) return *refused;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    MainForm mainForm;
    if (!mainForm.Create(args)) return 1;
    AboutBox aboutBox;
    aboutBox.Create();
    WaitForm waitForm;
    waitForm.Create();
    PickerForm pickerForm;
    pickerForm.Create(mainForm.Handle());
    mainForm.SetPicker(&pickerForm);
    mainForm.SetWaitForm(&waitForm);

    // Unattended (/BATCH /QUIET) no window is ever shown; the pass starts all the same.
    if (!mainForm.Mode().Quiet) {
        ShowWindow(mainForm.Handle(), showCommand == SW_SHOWDEFAULT ? SW_SHOWNORMAL : showCommand);
        UpdateWindow(mainForm.Handle());
    }

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab, arrow, space, Enter and Escape work the controls of whichever top-level window
        // the message is for: the main window's pages, or the modeless update wizard.
        const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageA(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
