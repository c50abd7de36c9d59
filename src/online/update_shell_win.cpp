#include "online/update_shell_win.h"

#include <utility>

#include "online/maker_signature_win.h"
#include "online/update_files_win.h"
#include "online/update_texts.h"
#include "online/upgrade_question_form_win.h"
#include "online/upgrader_handover_win.h"
#include "platform/shell_win.h"

namespace {

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::Warning: return MB_ICONWARNING;
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Question: return MB_ICONQUESTION;
    }
    return 0;
}

}  // namespace

UpdateShellWin::UpdateShellWin(HWND mainWindow, std::string programPath, const UpdaterSettings& settings,
                               std::function<void()> onWizardCancel, std::function<void()> onWizardConfirm,
                               std::function<void()> onCheckCancel)
    : mainWindow_(mainWindow),
      programPath_(std::move(programPath)),
      settings_(settings),
      wizard_(std::move(onWizardCancel), std::move(onWizardConfirm)),
      checking_(std::move(onCheckCancel)) {}

HWND UpdateShellWin::BoxOwner() const {
    if (wizard_.Shown()) return wizard_.Handle();
    return checking_.Shown() ? checking_.Handle() : mainWindow_;
}

void UpdateShellWin::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    MessageBoxA(BoxOwner(), text.c_str(), caption.c_str(), MB_OK | IconFlag(icon));
}

bool UpdateShellWin::AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) {
    return MessageBoxA(BoxOwner(), text.c_str(), caption.c_str(), MB_YESNO | IconFlag(icon)) == IDYES;
}

bool UpdateShellWin::AskUpgrade(const std::string& text) {
    UpgradeQuestionForm question;
    return question.Ask(mainWindow_, text);
}

void UpdateShellWin::OpenInBrowser(const std::string& address) {
    ShellOpen(address);
}

void UpdateShellWin::ShowChecking() {
    checking_.Show(mainWindow_, UpdateText(0), kCheckingText);
}

void UpdateShellWin::CloseChecking() {
    checking_.Close();
}

bool UpdateShellWin::IsSignedByMaker(const std::string& message, const std::string& signature) {
    return ::IsSignedByMaker(message, signature);
}

std::optional<std::string> UpdateShellWin::FileSha256(const std::string& path) {
    return ::FileSha256(path);
}

void UpdateShellWin::ShowWizard() {
    wizard_.Start(mainWindow_, settings_.Wizard.HideFileLocation);
}

void UpdateShellWin::ShowWizardFile(const std::string& downloadingLine, const std::string& address) {
    wizard_.ShowFile(downloadingLine, address);
}

void UpdateShellWin::ShowWizardFileSize(const std::string& fileSizeLine) {
    wizard_.ShowFileSize(fileSizeLine);
}

void UpdateShellWin::ShowWizardProgress(const DownloadProgress& progress) {
    wizard_.ShowProgress(progress);
}

void UpdateShellWin::ShowWizardFinished(const std::string& completedText) {
    wizard_.ShowFinished(completedText);
}

void UpdateShellWin::CloseWizard() {
    wizard_.Close();
}

void UpdateShellWin::SetFileTimes(const std::string& path, std::uint64_t fileTimeUtc) {
    // A file without its server time is still the right file.
    StampFileTimes(path, fileTimeUtc);
}

void UpdateShellWin::RemoveFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void UpdateShellWin::DeleteTemporaryFiles(const std::string& folder) {
    DeleteTemporaryDownloads(folder);
}

std::string UpdateShellWin::DownloadFolder(const std::string& programFolder) {
    return UpdateDownloadFolder(programFolder);
}

std::string UpdateShellWin::HandOver(const std::string& restartParams, UpgradeMethod method,
                                     const UpgradePlan& files) {
    const HandOverResult result = HandOverToUpgrader(GetModuleHandleA(nullptr), GetCurrentProcessId(), programPath_,
                                                     restartParams, method == UpgradeMethod::UseExternalSetup, files);
    // The main window's own shutdown runs: the game configuration is put back and so on.
    if (result.failure.empty()) PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return result.failure;
}
