#include "online/help_command_win.h"

#include <memory>

#include "domain/app_paths.h"
#include "online/help_signature_win.h"
#include "online/http_transfer_win.h"
#include "online/maker_hosts.h"
#include "platform/modal_loop_win.h"
#include "platform/shell_win.h"
#include "platform/win_file_system_win.h"
#include "ui/wait_form_win.h"

namespace {

constexpr DWORD kBlockSize = 1024;

}  // namespace

std::string HelpFilePath(const std::string& folder) {
    return folder + "Help\\help.chm";
}

std::string HelpFolderFor(const AppPaths& paths) {
    WinFileSystem files;
    return files.FileExists(HelpFilePath(paths.BenchDir)) ? paths.BenchDir : paths.WorkDir();
}

bool DownloadToFile(const std::string& url, const std::string& targetPath, const std::string& agentName,
                    const std::function<void(std::function<void()> cancel)>& onStart) {
    HttpTransfer transfer;
    transfer.Settings.AgentName = agentName;
    transfer.Settings.TransferBufferSize = kBlockSize;
    // No request flags beyond what any plain URL open sends: the system's cache rules apply.
    transfer.Settings.CacheOptions = 0;
    transfer.Settings.InternetOptions = 0;
    transfer.Settings.ConnectTimeout = kHelpTimeoutMs;
    transfer.Settings.ReceiveTimeout = kHelpTimeoutMs;
    transfer.Settings.SendTimeout = kHelpTimeoutMs;
    bool ended = false;
    TransferResult result = TransferResult::NoResponse;
    transfer.OnDone = [&](const TransferOutcome& outcome) {
        ended = true;
        result = outcome.Result;
    };
    if (!transfer.Start(url, targetPath)) return false;
    if (onStart) {
        onStart([&] {
            transfer.Stop();  // the partly written file goes at once
            ended = true;
        });
    }
    // A quit (the main window closed) is passed on and ends the download like a cancel.
    if (!RunModalLoop(nullptr, [&] { return ended; })) transfer.Stop();
    // A body cut short is kept by the transfer for its owner to judge: here it is no help file.
    if (result == TransferResult::Incomplete) DeleteFileA(targetPath.c_str());
    return result == TransferResult::Success;
}

void RunHelpCommand(const std::string& folder, const std::string& helpUrl, const HelpCommandUi& ui,
                    bool sharedFolder) {
    WinFileSystem files;
    const std::string helpFile = HelpFilePath(folder);
    if (sharedFolder && files.FileExists(helpFile) && !HelpFileCarriesMakersSignature(helpFile)) {
        // Another account may have put it there: it is never opened.
        DeleteFileA((helpFile + ".sig").c_str());
        if (!DeleteFileA(helpFile.c_str())) {
            ui.tell("The help file " + helpFile +
                    " is not the one the maker published and cannot be removed, so it is not opened.");
            return;
        }
    }
    if (!files.FileExists(helpFile)) {
        if (!ui.confirm(kHelpDownloadQuestion)) return;
        {
            // The wait window closes on every way out of the download.
            struct WaitCloser {
                const HelpCommandUi& ui;
                bool shown = false;
                ~WaitCloser() {
                    if (shown) ui.closeWait();
                }
            } closer{ui};
            const std::string helpFolder = folder + "Help";
            if (!files.FolderExists(helpFolder)) files.CreateFolder(helpFolder);
            // A failed or cancelled download, or a file the maker did not sign, leaves no file,
            // and the check below ends the command silently.
            const bool downloaded = DownloadToFile(helpUrl, helpFile, kHelpAgentName, [&](std::function<void()> cancel) {
                ui.showWait(std::move(cancel));
                closer.shown = true;
            });
            if (downloaded) KeepHelpFileIfSignedByMaker(helpUrl, helpFile);
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
    ui.showWait = [&waitForm](std::function<void()> cancel) { waitForm.Show(std::move(cancel)); };
    ui.closeWait = [&waitForm] { waitForm.Hide(); };
    ui.openHelpFile = [](const std::string& path) {
        // The help viewer shows it; the program does not wait, and the shell's answer is not used.
        ShellOpen(nullptr, path, SW_SHOW);
    };
    ui.tell = [owner](const std::string& text) { MessageBoxA(owner, text.c_str(), "Error", MB_OK | MB_ICONERROR); };
    return ui;
}

void OpenHelp(HWND owner, const AppPaths& paths, const MakerHosts& hosts, WaitForm& waitForm) {
    const std::string folder = HelpFolderFor(paths);
    RunHelpCommand(folder, HelpFileUrl(hosts), WindowHelpCommandUi(owner, waitForm), folder != paths.BenchDir);
}

void OpenHomePage(const MakerHosts& hosts) {
    ShellOpen(HomePageAddress(hosts));  // the browser's own failure message is enough
}
