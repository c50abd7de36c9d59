#include "support/window_automation.h"

namespace wt {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

namespace {

struct TopSearch {
    DWORD processId;
    const char* className;
    HWND owner;
    HWND found;
};

bool HasClass(HWND hwnd, const char* className) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return lstrcmpiA(cls, className) == 0;
}

BOOL CALLBACK FindTop(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if ((search->processId == 0 || pid == search->processId) && IsWindowVisible(hwnd) && HasClass(hwnd, search->className)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindOwned(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    if (GetWindow(hwnd, GW_OWNER) == search->owner && IsWindowVisible(hwnd) && HasClass(hwnd, "#32770")) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK DescribeTop(HWND hwnd, LPARAM param) {
    char cls[64] = {};
    char text[128] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, text, sizeof text);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    *reinterpret_cast<std::string*>(param) += std::string("\n  [") + cls + "] \"" + text + "\" process " +
                                             std::to_string(pid) + (IsWindowVisible(hwnd) ? " visible" : " hidden");
    return TRUE;
}

}  // namespace

std::string DescribeTopLevelWindows() {
    std::string lines;
    EnumWindows(DescribeTop, reinterpret_cast<LPARAM>(&lines));
    return lines;
}

HWND WaitForWindow(DWORD processId, const char* className, DWORD timeoutMs) {
    TopSearch search{processId, className, nullptr, nullptr};
    WaitUntil([&] {
        EnumWindows(FindTop, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

HWND WaitForDialogOwnedBy(HWND owner, DWORD timeoutMs) {
    TopSearch search{0, nullptr, owner, nullptr};
    WaitUntil([&] {
        EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

HWND FindControl(HWND top, int id) {
    // EnumChildWindows visits every descendant, not only the direct children.
    ChildSearch search{id, nullptr};
    EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

MessageBoxSeen AnswerMessageBox(HWND owner, int button, DWORD timeoutMs) {
    HWND box = WaitForDialogOwnedBy(owner, timeoutMs);
    if (!box) return {"<no box>", ""};
    MessageBoxSeen seen{TextOf(box), TextOf(GetDlgItem(box, 0xFFFF))};
    PostMessageA(box, WM_COMMAND, button, 0);
    WaitUntil([&] { return !IsWindow(box); });
    return seen;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

bool IsChecked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsShown(HWND window) {
    for (HWND w = window; w; w = GetParent(w)) {
        if (!IsWindowVisible(w)) return false;
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;
    }
    return window != nullptr;
}

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
}

void PostClick(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void PressSpace(HWND control) {
    SendMessageA(control, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(control, WM_KEYUP, VK_SPACE, 0xC0390001);
}

void Type(HWND edit, const std::string& text) {
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void SetText(HWND edit, const std::string& text) {
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SelectComboItem(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void PointerLeave(HWND control) {
    SetCursorPos(0, 0);
    SendMessageA(control, WM_MOUSELEAVE, 0, 0);
}

}  // namespace wt
