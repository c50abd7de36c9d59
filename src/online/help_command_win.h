#pragma once
#include <windows.h>

#include <functional>
#include <string>

class WaitForm;
struct MakerHosts;
struct AppPaths;

constexpr const char* kHelpDownloadQuestion =
    "Corrupt help file! Would you like to download the newest help file from the Qwkbench server (approx. 553 KB)?";

// folder + "Help\help.chm".
std::string HelpFilePath(const std::string& folder);

// The folder whose help file the command uses: the program's own when the help file is
// installed there, else the working folder (the program's own unless it cannot be written).
std::string HelpFolderFor(const AppPaths& paths);

// What the help command asks of the window, so tests can answer in its place.
struct HelpCommandUi {
    std::function<bool(const std::string& question)> confirm;  // true only for Yes
    std::function<void(std::function<void()> cancel)> showWait;  // "Please wait..." with Cancel
    std::function<void()> closeWait;
    std::function<void(const std::string& path)> openHelpFile;
    std::function<void(const std::string& text)> tell;  // a message box with OK
};

// Opens folder's help file; when it is missing, offers to download it from helpUrl first, and
// opens the downloaded file only when the maker signed it (helpUrl + ".sig"). The "Please
// wait..." window shows while the download runs; its Cancel ends it.
// privateCopy: set when every account may write into the folder (the shared data folder). A
// help file found there is used only while the maker's signature kept beside it still
// matches (otherwise it is removed and offered for download like a missing one), and what
// opens is privateCopy, a file in a folder only this user may write, holding the bytes that
// were checked. Empty: the folder is the program's own and its file opens where it lies.
void RunHelpCommand(const std::string& folder, const std::string& helpUrl, const HelpCommandUi& ui,
                    const std::string& privateCopy = "");

// The window's answers: a Yes/No question box, the "Please wait..." window with its Cancel
// button, the shell's "open" with SW_SHOW.
HelpCommandUi WindowHelpCommandUi(HWND owner, WaitForm& waitForm);

// The "Benchmark help" item.
void OpenHelp(HWND owner, const AppPaths& paths, const MakerHosts& hosts, WaitForm& waitForm);

// The "Homepage" item: the bare host name to the shell's default browser.
void OpenHomePage(const MakerHosts& hosts);
