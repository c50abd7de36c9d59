#include "app/picker_form_win.h"

bool PickerForm::Create(HWND mainWindow) {
    main_ = mainWindow;
    return CreateCentred("TForm3", "Possibilities", WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWidth, kHeight,
                         mainWindow, mainWindow);
}
