#pragma once
#include <functional>
#include <vector>

#include "app/picker_choice.h"
#include "platform/scoped_win.h"
#include "settings/settings_load.h"
#include "ui/window_win.h"

// TForm3: the custom-resolution picker, a borderless always-on-top window (228 x 502) with a
// check list of the screen sizes the display offers, rebuilt at every activation.
class PickerForm : public Window {
public:
    static constexpr int kWidth = 228;
    static constexpr int kHeight = 502;
    static constexpr int kItemHeight = 17;

    using AddHandler = std::function<void(const ScreenSize&)>;

    bool Create(HWND mainWindow);
    // Shows the picker centred on the main window and returns when it is closed. `onAdd`
    // receives the first checked size when the user presses Add with an item checked.
    void ShowModal(const AddHandler& onAdd);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormActivate();
    void FormDeactivate();
    void RzButton1Click();
    void ClosePicker();
    void ToggleItem(int index);
    void DrawListItem(const DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK ListProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data);

    HWND main_ = nullptr;
    HWND list_ = nullptr;
    DisplayModeList modes_;
    AddHandler onAdd_;
    ScopedGdiObject font_;
    ScopedGdiObject background_;
    ScopedGdiObject listBrush_;
};
