#include "support/list_view.h"

#include <commctrl.h>

#include <cstring>

namespace wt {
namespace {

class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* Address() const { return static_cast<char*>(address_); }
    void Write(std::size_t offset, const void* data, std::size_t size) {
        WriteProcessMemory(process_, Address() + offset, data, size, nullptr);
    }
    std::string Read(std::size_t offset, std::size_t size) const {
        std::string bytes(size, '\0');
        ReadProcessMemory(process_, Address() + offset, &bytes[0], size, nullptr);
        return bytes;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

void SetItemState(HWND list, int item, UINT state, UINT mask) {
    RemoteMemory memory(list, sizeof(LVITEMA));
    LVITEMA lv{};
    lv.stateMask = mask;
    lv.state = state;
    memory.Write(0, &lv, sizeof lv);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(memory.Address()));
}

}  // namespace

int ItemCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string CellText(HWND list, int item, int column) {
    RemoteMemory memory(list, sizeof(LVITEMA) + 512);
    LVITEMA lv{};
    lv.iSubItem = column;
    lv.pszText = memory.Address() + sizeof lv;
    lv.cchTextMax = 512;
    memory.Write(0, &lv, sizeof lv);
    const auto length = SendMessageA(list, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(memory.Address()));
    return memory.Read(sizeof lv, static_cast<std::size_t>(length));
}

std::vector<std::string> ColumnTexts(HWND list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < ItemCount(list); ++i) texts.push_back(CellText(list, i, column));
    return texts;
}

std::vector<std::string> ColumnTitles(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::string> titles;
    for (int c = 0; c < count; ++c) {
        RemoteMemory memory(list, sizeof(LVCOLUMNA) + 256);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = memory.Address() + sizeof column;
        column.cchTextMax = 256;
        memory.Write(0, &column, sizeof column);
        SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(memory.Address()));
        const std::string text = memory.Read(sizeof column, 256);
        titles.push_back(text.substr(0, text.find('\0')));
    }
    return titles;
}

void SelectOnly(HWND list, const std::vector<int>& items) {
    SetItemState(list, -1, 0, LVIS_SELECTED);
    for (int item : items) SetItemState(list, item, LVIS_SELECTED, LVIS_SELECTED);
}

void ClickColumn(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    RemoteMemory memory(header, sizeof(RECT));
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(memory.Address()));
    RECT r;
    std::memcpy(&r, memory.Read(0, sizeof r).data(), sizeof r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

LPARAM ItemCentre(HWND list, int item) {
    RemoteMemory memory(list, sizeof(RECT));
    RECT r{LVIR_LABEL, 0, 0, 0};
    memory.Write(0, &r, sizeof r);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(memory.Address()));
    std::memcpy(&r, memory.Read(0, sizeof r).data(), sizeof r);
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

int ColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

}  // namespace wt
