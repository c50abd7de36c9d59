#include "app/picker_form_win.h"

#include <commctrl.h>

#include "app/control_ids.h"
#include "app/enter_key_win.h"
#include "platform/modal_loop_win.h"
#include "settings/display_modes_win.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

HWND AddChild(HWND parent, const char* cls, const char* text, DWORD style, int id, const RECT& r, HGDIOBJ font) {
    HWND hwnd = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

}  // namespace

bool PickerForm::Create(HWND mainWindow) {
    main_ = mainWindow;
    font_ = CreateUiFont(11);
    listBrush_.Reset(CreateSolidBrush(RGB(10, 12, 14)));
    if (!CreateCentred("TForm3", "Possibilities", WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                       Scale(kWidth), Scale(kHeight), mainWindow, mainWindow)) {
        return false;
    }
    background_ = RenderPicture(PaintPickerBackground, Scale(kWidth), Scale(kHeight));
    AddChild(Handle(), "BUTTON", "Close", BS_OWNERDRAW, ctl::PickerClose, ScaleRect(kWidth - 26, 5, 19, 19),
             font_.Get());
    list_ = AddChild(Handle(), "LISTBOX", "",
                     WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                     ctl::RzCheckList1, ScaleRect(10, 54, kWidth - 20, 392), font_.Get());
    AddChild(Handle(), "BUTTON", "Add", BS_OWNERDRAW | WS_TABSTOP, ctl::RzButton1, ScaleRect(64, 458, 100, 28),
             font_.Get());
    SetWindowSubclass(list_, ListProcedure, 1, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void PickerForm::ShowModal(const AddHandler& onAdd) {
    onAdd_ = onAdd;
    CentreWindowOn(Handle(), main_);
    EnableWindow(main_, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(list_);
    // Add or the close button hides the window.
    RunModalLoop(Handle(), [this] { return !IsWindowVisible(Handle()); });
    EnableWindow(main_, TRUE);
    if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
    SetForegroundWindow(main_);
    onAdd_ = nullptr;
}

void PickerForm::FormActivate() {
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    modes_ = BuildDisplayModeList();
    for (const std::string& mode : modes_) SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.c_str()));
}

void PickerForm::FormDeactivate() {
    modes_.clear();
}

void PickerForm::RzButton1Click() {
    std::vector<PickerEntry> entries;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        SendMessageA(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back({text, SendMessageA(list_, LB_GETITEMDATA, i, 0) != 0});
    }
    const auto size = FirstCheckedSize(entries);
    AddHandler onAdd = onAdd_;
    ClosePicker();
    if (size && onAdd) onAdd(*size);
}

void PickerForm::ClosePicker() {
    // Enable the owner first, so that hiding hands activation back to it.
    EnableWindow(main_, TRUE);
    ShowWindow(Handle(), SW_HIDE);
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void PickerForm::ToggleItem(int index) {
    if (index < 0 || index >= static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0))) return;
    const bool checked = SendMessageA(list_, LB_GETITEMDATA, index, 0) != 0;
    SendMessageA(list_, LB_SETITEMDATA, index, checked ? 0 : 1);
    RECT item;
    if (SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        InvalidateRect(list_, &item, FALSE);
    }
}

LRESULT CALLBACK PickerForm::ListProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<PickerForm*>(data);
    if (msg == WM_LBUTTONDOWN) {
        const LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lParam);
        const LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
        // A click on an item (not below the last one) toggles its check mark.
        if (HIWORD(hit) == 0) self->ToggleItem(LOWORD(hit));
        return result;
    }
    if (msg == WM_KEYDOWN && wParam == VK_SPACE) {
        self->ToggleItem(static_cast<int>(SendMessageA(hwnd, LB_GETCARETINDEX, 0, 0)));
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ListProcedure, 1);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void PickerForm::DrawListItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH back = CreateSolidBrush(selected ? RGB(30, 60, 78) : RGB(10, 12, 14));
    FillRect(dc, &r, back);
    DeleteObject(back);
    if (item.itemID == static_cast<UINT>(-1)) return;
    const int box = Scale(13);
    RECT check{r.left + Scale(4), (r.top + r.bottom - box) / 2, r.left + Scale(4) + box, (r.top + r.bottom + box) / 2};
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | (item.itemData ? DFCS_CHECKED : 0));
    char text[64] = {};
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? kWhite : kSilver);
    RECT textRect{check.right + Scale(6), r.top, r.right, r.bottom};
    DrawTextA(dc, text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

LRESULT PickerForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            FormDeactivate();
        } else {
            FormActivate();
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ctl::RzButton1:
            RzButton1Click();
            return 0;
        case ctl::PickerClose:
        case IDCANCEL:  // Escape
            ClosePicker();
            return 0;
        case IDOK:  // Enter
            PressFocusedButton(Handle());
            return 0;
        default:
            break;
        }
        break;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = Scale(kItemHeight);
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlID == static_cast<UINT>(ctl::RzCheckList1)) {
            DrawListItem(item);
        } else if (item.CtlID == static_cast<UINT>(ctl::PickerClose)) {
            PaintWindowGlyph(item, true);
        } else {
            PaintDarkButton(item);
        }
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<LRESULT>(listBrush_.Get());
    case WM_SETCURSOR:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == ctl::PickerClose) {
            ShowHandPointer();
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintWithPicture(Handle(), background_.Get(), Scale(kWidth), Scale(kHeight));
        return 0;
    default:
        break;
    }
    return Window::HandleMessage(msg, wParam, lParam);
}
