#include "online/help_command_win.h"

#include <shellapi.h>
#include <wininet.h>

#include "app/wait_form_win.h"
#include "online/help_signature_win.h"
#include "online/maker_hosts.h"
#include "platform/scoped_win.h"
#include "platform/shell_win.h"
#include "platform/win_file_system_win.h"

namespace {

constexpr DWORD kBlockSize = 1024;

bool WriteBody(HINTERNET source, HANDLE target, DWORD& bytesWritten) {
    char block[kBlockSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(source, block, sizeof block, &read)) return false;
        if (read == 0) return true;
        DWORD written = 0;
        if (!WriteFile(target, block, read, &written, nullptr) || written != read) return false;
        bytesWritten += written;
    }
}

}  // namespace

std::string HelpFilePath(const std::string& benchDir) {
    return benchDir + "Help\\help.chm";
}

bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName) {
    ScopedInternet root(InternetOpenA(agentName.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!root) return false;
    ScopedInternet source(InternetOpenUrlA(root.Get(), url.c_str(), nullptr, 0, 0, 0));
    if (!source) return false;

    // An error page (a 404 from a mirror, say) is not the help file.
    DWORD status = 0;
    DWORD size = sizeof status;
    if (HttpQueryInfoA(source.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) &&
        (status < 200 || status > 299)) {
        return false;
    }
    DWORD announced = 0;
    size = sizeof announced;
    const bool hasLength = HttpQueryInfoA(source.Get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                                          &announced, &size, nullptr) != 0;

    ScopedFile file(
        CreateFileA(targetPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool complete = WriteBody(source.Get(), file.Get(), written);
    // A connection lost before the announced length is a failed download too.
    if (hasLength && written != announced) complete = false;
    if (!CloseHandle(file.Detach())) complete = false;
    if (!complete) DeleteFileA(targetPath.c_str());
    return complete;
}

void RunHelpCommand(const std::string& benchDir, const std::string& helpUrl, const HelpCommandUi& ui) {
    WinFileSystem files;
    const std::string helpFile = HelpFilePath(benchDir);
    if (!files.FileExists(helpFile)) {
        if (!ui.confirm(kHelpDownloadQuestion)) return;
        ui.showWait();
        {
            // The wait window closes on every way out of the download.
            struct WaitCloser {
                const HelpCommandUi& ui;
                ~WaitCloser() { ui.closeWait(); }
            } closer{ui};
            const std::string folder = benchDir + "Help";
            if (!files.FolderExists(folder)) files.CreateFolder(folder);
            // A failed download, or a file the maker did not sign, leaves no file, and the check
            // below ends the command silently.
            if (DownloadToFile(helpUrl, helpFile, kHelpAgentName)) KeepHelpFileIfSignedByMaker(helpUrl, helpFile);
        }
        if (!files.FileExists(helpFile)) return;
    }
    ui.openHelpFile(helpFile);
}

HelpCommandUi WindowHelpCommandUi(HWND owner, WaitForm& waitForm) {
    HelpCommandUi ui;
    ui.confirm = [owner](const std::string& question) {
        return MessageBoxA(owner, question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
    };
    ui.showWait = [&waitForm] {
        waitForm.Show();  // shown and painted at once
        Sleep(1000);
    };
    ui.closeWait = [&waitForm] { waitForm.Hide(); };
    ui.openHelpFile = [](const std::string& path) {
        // The help viewer shows it; the program does not wait, and the shell's answer is not used.
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    };
    return ui;
}

void OpenHelp(HWND owner, const std::string& benchDir, const MakerHosts& hosts, WaitForm& waitForm) {
    RunHelpCommand(benchDir, HelpFileUrl(hosts), WindowHelpCommandUi(owner, waitForm));
}

void OpenHomePage(const MakerHosts& hosts) {
    ShellOpen(HomePageAddress(hosts));  // the browser's own failure message is enough
}
