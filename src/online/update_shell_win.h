#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "online/cancel_wait_form_win.h"
#include "online/update_flow.h"
#include "online/update_wizard_form_win.h"

// The update flow's effects on Windows: message boxes, the upgrade question, the download
// wizard, the downloaded files and the hand-over to the upgrader.
class UpdateShellWin : public UpdateShell {
public:
    // mainWindow: owner of the component's windows, closed after the hand-over. The wizard
    // follows the settings' wizard options; its buttons go to onWizardCancel and onWizardConfirm.
    // The checking window's Cancel goes to onCheckCancel.
    UpdateShellWin(HWND mainWindow, std::string programPath, const UpdaterSettings& settings,
                   std::function<void()> onWizardCancel, std::function<void()> onWizardConfirm,
                   std::function<void()> onCheckCancel);

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool AskUpgrade(const std::string& text) override;
    void OpenInBrowser(const std::string& address) override;
    void ShowChecking() override;
    void CloseChecking() override;
    bool IsSignedByMaker(const std::string& message, const std::string& signature) override;
    std::optional<std::string> FileSha256(const std::string& path) override;

    void ShowWizard() override;
    void ShowWizardFile(const std::string& downloadingLine, const std::string& address) override;
    void ShowWizardFileSize(const std::string& fileSizeLine) override;
    void ShowWizardProgress(const DownloadProgress& progress) override;
    void ShowWizardFinished(const std::string& completedText) override;
    void CloseWizard() override;

    void SetFileTimes(const std::string& path, std::uint64_t fileTimeUtc) override;
    void RemoveFile(const std::string& path) override;
    void DeleteTemporaryFiles(const std::string& folder) override;
    std::string DownloadFolder(const std::string& programFolder) override;
    std::string HandOver(const std::string& restartParams, UpgradeMethod method, const UpgradePlan& files) override;

private:
    // Boxes belong to the wizard while it shows, so that they come up in front of it.
    HWND BoxOwner() const;

    HWND mainWindow_;
    std::string programPath_;
    const UpdaterSettings& settings_;
    UpdateWizardForm wizard_;
    CancelWaitForm checking_;
};
