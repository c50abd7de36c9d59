#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "online/download_progress.h"
#include "online/update_dialog_win.h"
#include "platform/scoped_win.h"

// The download wizard: the side picture, a title, the current file's group (address,
// size, rate, time left, bar) and the all-files group (count, bar), with "&Next >" and
// "&Cancel". Modeless and on top; made once and shown again for every download.
class UpdateWizardForm : public UpdateDialog {
public:
    static constexpr int kNextButton = IDOK;  // "&OK" in the final state
    static constexpr int kCancelButton = IDCANCEL;
    static constexpr int kTitleLabel = 200;
    static constexpr int kCurrentGroup = 201;
    static constexpr int kAddressCaption = 202;
    static constexpr int kAddressLabel = 203;
    static constexpr int kFileSizeLabel = 204;
    static constexpr int kRateLabel = 205;
    static constexpr int kTimeLeftLabel = 206;
    static constexpr int kFileBar = 207;
    static constexpr int kAllGroup = 208;
    static constexpr int kCountLabel = 209;
    static constexpr int kAllBar = 210;
    static constexpr int kCompletedLabel = 211;
    static constexpr int kSidePicture = 212;

    // onCancel: "&Cancel" or the close box; onConfirm: "&OK" in the final state.
    UpdateWizardForm(std::function<void()> onCancel, std::function<void()> onConfirm)
        : onCancel_(std::move(onCancel)), onConfirm_(std::move(onConfirm)) {}

    // Shows the wizard in its first state, the file location left out when hidden.
    void Start(HWND owner, bool hideFileLocation);
    void ShowFile(const std::string& downloadingLine, const std::string& address);
    void ShowFileSize(const std::string& fileSizeLine);
    void ShowProgress(const DownloadProgress& progress);
    void ShowFinished(const std::string& completedText);
    void Close();
    bool Shown() const { return Handle() && IsWindowVisible(Handle()); }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    bool Build(HWND owner);
    void Layout(bool hideFileLocation);
    void SetText(int id, const std::string& text);
    void ShowControl(int id, bool shown);
    HWND Item(int id) const;

    std::function<void()> onCancel_;
    std::function<void()> onConfirm_;
    bool finished_ = false;
    HWND currentGroup_ = nullptr;
    HWND allGroup_ = nullptr;
    ScopedGdiObject titleFont_;
    ScopedGdiObject picture_;
};
