#pragma once
#include <windows.h>

#include <functional>
#include <string>

class WaitForm;
struct MakerHosts;

constexpr const char* kHelpDownloadQuestion =
    "Corrupt help file! Would you like to download the newest help file from the Qwkbench server (approx. 553 KB)?";
constexpr const char* kHelpAgentName = "help.chm";

// BenchDir + "Help\help.chm".
std::string HelpFilePath(const std::string& benchDir);

// Fetches the address into the file in blocks of 1024 bytes, through the system's proxy
// configuration. True when the server answered with a success status and the whole body
// was written; otherwise false and no file is left at targetPath (an error page is never
// stored as the file).
bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName);

// What the help command asks of the window, so tests can answer in its place.
struct HelpCommandUi {
    std::function<bool(const std::string& question)> confirm;  // true only for Yes
    std::function<void()> showWait;                            // shows "Please wait..."
    std::function<void()> closeWait;
    std::function<void(const std::string& path)> openHelpFile;
};

// Opens the help file; when it is missing, offers to download it from helpUrl first, and opens
// the downloaded file only when the maker signed it (helpUrl + ".sig").
void RunHelpCommand(const std::string& benchDir, const std::string& helpUrl, const HelpCommandUi& ui);

// The window's answers: a Yes/No question box, the "Please wait..." window shown,
// repainted and held for a second, the shell's "open" with SW_SHOW.
HelpCommandUi WindowHelpCommandUi(HWND owner, WaitForm& waitForm);

// The "Benchmark help" item.
void OpenHelp(HWND owner, const std::string& benchDir, const MakerHosts& hosts, WaitForm& waitForm);

// The "Homepage" item: the bare host name to the shell's default browser.
void OpenHomePage(const MakerHosts& hosts);
