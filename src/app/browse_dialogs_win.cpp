#include "app/browse_dialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

int CALLBACK SelectStartFolder(HWND dialog, UINT msg, LPARAM, LPARAM startFolder) {
    if (msg == BFFM_INITIALIZED && startFolder) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, startFolder);
    return 0;
}

}  // namespace

std::optional<std::string> BrowseForFile(HWND owner, const char* title, const std::string& filter,
                                         const std::string& startFolder) {
    std::string filterPairs = filter;
    for (char& c : filterPairs) {
        if (c == '|') c = '\0';
    }
    filterPairs.append(2, '\0');
    char file[MAX_PATH * 2] = {};
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterPairs.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title;
    if (!startFolder.empty()) ofn.lpstrInitialDir = startFolder.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(file);
}

std::optional<std::string> BrowseForFolder(HWND owner, const char* title, const std::string& startFolder) {
    // The new dialog style (make and delete folders) needs OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    // The shell selects a folder given without its trailing backslash (a drive root keeps it).
    std::string start = startFolder;
    if (start.size() > 3 && start.back() == '\\') start.pop_back();
    info.lpfn = SelectStartFolder;
    info.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    std::optional<std::string> chosen;
    if (LPITEMIDLIST pidl = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(pidl, path)) chosen = std::string(path);
        CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return chosen;
}
