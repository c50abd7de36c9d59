#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/results_page_win.h"
#include "platform/scoped_win.h"
#include "settings/settings_store.h"
#include "ui/window_win.h"

// The results list in a window of its own, for a folder of many passes from many PCs: the
// user sizes and maximises it, filters it as they type and has the Results page's commands.
// Its place, size and column widths are kept in the settings key when they change and when
// it closes, and it opens with them the next time.
class ResultsWindow : public Window {
public:
    ResultsWindow(SettingsStore& settings, std::function<void()> openFolder)
        : settings_(settings), openFolder_(std::move(openFolder)) {}

    // Opens the window over `owner` (or brings it to the front) and reads the folder.
    void Show(HWND owner, const std::string& resultFolder);
    // Reads the folder again when the window is open.
    void Reload(const std::string& resultFolder);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Create(HWND owner);
    void CreateControls();
    void Layout();
    void OnCommand(int id, int code);
    void StoreBounds();
    void StoreColumnWidths();
    void StoreIfChanged(const char* name, const std::string& value);
    HWND AddControl(const char* cls, const char* text, DWORD style, int id, DWORD exStyle = 0);

    SettingsStore& settings_;
    std::function<void()> openFolder_;
    ResultsPage list_;
    bool maximised_ = false;
    HWND filterLabel_ = nullptr;
    HWND filter_ = nullptr;
    HWND label_ = nullptr;
    HWND listView_ = nullptr;
    HWND compare_ = nullptr;
    HWND openReport_ = nullptr;
    HWND openFolderButton_ = nullptr;
    ScopedGdiObject font_;
};
