#include "online/help_command_win.h"

#include <memory>
#include <stdexcept>

#include "domain/app_paths.h"
#include "online/download_to_file_win.h"
#include "online/help_signature_win.h"
#include "online/maker_hosts.h"
#include "platform/shell_win.h"
#include "platform/win_file_system_win.h"
#include "settings/data_folder_win.h"
#include "ui/wait_form_win.h"

std::string HelpFilePath(const std::string& folder) {
    return folder + "Help\\help.chm";
}

std::string HelpFolderFor(const AppPaths& paths) {
    WinFileSystem files;
    return files.FileExists(HelpFilePath(paths.BenchDir)) ? paths.BenchDir : paths.WorkDir();
}

void RunHelpCommand(const std::string& folder, const std::string& helpUrl, const HelpCommandUi& ui,
                    const std::string& privateCopy) {
    WinFileSystem files;
    const std::string helpFile = HelpFilePath(folder);
    const bool sharedFolder = !privateCopy.empty();
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
    if (!sharedFolder) {
        ui.openHelpFile(helpFile);
        return;
    }
    // The viewer opens a file by name, after any check: another account could rename other
    // bytes over the shared file in between. It gets the user's own copy of the bytes checked.
    if (!CopyHelpFileIfSignedByMaker(helpFile, privateCopy)) {
        ui.tell("The help file " + helpFile + " is not the one the maker published, so it is not opened.");
        return;
    }
    ui.openHelpFile(privateCopy);
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
    std::string privateCopy;
    if (folder != paths.BenchDir) {
        const std::string own = UserDataFolder();
        if (own.empty()) throw std::runtime_error("The help file cannot be opened: Windows names no local application data folder.");
        privateCopy = own + "help.chm";
    }
    RunHelpCommand(folder, HelpFileUrl(hosts), WindowHelpCommandUi(owner, waitForm), privateCopy);
}

void OpenHomePage(const MakerHosts& hosts) {
    ShellOpen(HomePageAddress(hosts));  // the browser's own failure message is enough
}
