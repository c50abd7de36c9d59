#pragma once
#include <windows.h>

#include <functional>
#include <string>

class WaitForm;
struct MakerHosts;
struct AppPaths;

constexpr const char* kHelpDownloadQuestion =
    "Corrupt help file! Would you like to download the newest help file from the Qwkbench server (approx. 553 KB)?";
constexpr const char* kHelpAgentName = "help.chm";

// folder + "Help\help.chm".
std::string HelpFilePath(const std::string& folder);

// The folder whose help file the command uses: the program's own when the help file is
// installed there, else the working folder (the program's own unless it cannot be written).
std::string HelpFolderFor(const AppPaths& paths);

// How long the help download waits on a silent server before it gives up.
constexpr unsigned long kHelpTimeoutMs = 30000;

// Fetches the address into the file in blocks of up to 1024 bytes, through the system's
// proxy configuration, on a worker thread, while this thread's messages keep flowing. True
// when the server answered with a success status and the whole body was written; otherwise
// false and no file is left at targetPath (an error page is never stored as the file).
// onStart receives a function that cancels the download: it then ends at once, with false
// and no file. The download also ends when this thread's message loop is told to quit.
bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName,
                    const std::function<void(std::function<void()> cancel)>& onStart = nullptr);

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
// sharedFolder: every account may write into the folder (the shared data folder), so a help
// file found there is opened only while the maker's signature kept beside it still matches;
// otherwise it is removed and offered for download like a missing one.
void RunHelpCommand(const std::string& folder, const std::string& helpUrl, const HelpCommandUi& ui,
                    bool sharedFolder = false);

// The window's answers: a Yes/No question box, the "Please wait..." window with its Cancel
// button, the shell's "open" with SW_SHOW.
HelpCommandUi WindowHelpCommandUi(HWND owner, WaitForm& waitForm);

// The "Benchmark help" item.
void OpenHelp(HWND owner, const AppPaths& paths, const MakerHosts& hosts, WaitForm& waitForm);

// The "Homepage" item: the bare host name to the shell's default browser.
void OpenHomePage(const MakerHosts& hosts);
