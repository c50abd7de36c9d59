#include "app/browse_dialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

std::optional<std::string> BrowseForFile(HWND owner, const char* title, const std::string& filter) {
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
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(file);
}

std::optional<std::string> BrowseForFolder(HWND owner, const char* title) {
    // The new dialog style (make and delete folders) needs OLE on this thread.
    const HRESULT ole = OleInitialize(nullptr);
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    std::optional<std::string> chosen;
    if (LPITEMIDLIST pidl = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(pidl, path)) chosen = std::string(path);
        CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return chosen;
}
