#include "online/update_wizard_form_win.h"

#include <commctrl.h>

#include "online/update_texts.h"
#include "ui/artwork_win.h"
#include "ui/dpi_win.h"

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 284;
constexpr int kPictureWidth = 118;
constexpr int kPictureHeight = 218;
constexpr int kGroupLeft = 140;
constexpr int kGroupWidth = 330;
constexpr int kGroupTop = 44;
constexpr int kLineWidth = kGroupWidth - 20;
constexpr int kLineHeight = 16;
constexpr int kBarHeight = 16;

}  // namespace

bool UpdateWizardForm::Build(HWND owner) {
    if (!CreateDialogWindow("TUpdateWizardForm", UpdateText(0), kClientWidth, kClientHeight, owner)) return false;
    picture_ = RenderPicture(PaintUpdateSidePicture, Scale(kPictureWidth), Scale(kPictureHeight));
    HWND picture = AddControl(Handle(), "STATIC", "", SS_BITMAP, kSidePicture, 10, 10, kPictureWidth, kPictureHeight);
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.Get()));

    titleFont_.Reset(CreateFontA(-Scale(18), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
    HWND title = AddLabel(Handle(), kTitleLabel, UpdateText(1), kGroupLeft, 10, kGroupWidth, 28);
    SendMessageA(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);

    currentGroup_ = AddGroup(kCurrentGroup, UpdateText(3), kGroupLeft, kGroupTop, kGroupWidth, 130);
    AddLabel(currentGroup_, kAddressCaption, UpdateText(5), 10, 0, kLineWidth);
    AddControl(currentGroup_, "STATIC", "", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kAddressLabel, 10, 0, kLineWidth,
               kLineHeight);
    for (int id : {kFileSizeLabel, kRateLabel, kTimeLeftLabel}) AddLabel(currentGroup_, id, "", 10, 0, kLineWidth);
    AddControl(currentGroup_, PROGRESS_CLASSA, "", PBS_SMOOTH, kFileBar, 10, 0, kLineWidth, kBarHeight);

    allGroup_ = AddGroup(kAllGroup, UpdateText(4), kGroupLeft, 0, kGroupWidth, 64);
    AddLabel(allGroup_, kCountLabel, "", 10, 18, kLineWidth);
    AddControl(allGroup_, PROGRESS_CLASSA, "", PBS_SMOOTH, kAllBar, 10, 38, kLineWidth, kBarHeight);

    AddControl(Handle(), "STATIC", "", SS_LEFT | SS_NOPREFIX, kCompletedLabel, kGroupLeft, kGroupTop, kGroupWidth, 120);
    AddButton(kNextButton, UpdateText(18), kClientWidth - 10 - 2 * 90 - 8, kClientHeight - 36, 90);
    AddButton(kCancelButton, UpdateText(17), kClientWidth - 10 - 90, kClientHeight - 36, 90);
    return true;
}

// The current file's lines move up into the place of the location when it is hidden.
void UpdateWizardForm::Layout(bool hideFileLocation) {
    ShowControl(kAddressCaption, !hideFileLocation);
    ShowControl(kAddressLabel, !hideFileLocation);
    int y = 18;
    auto place = [&](int id, int height) {
        SetWindowPos(Item(id), nullptr, Scale(10), Scale(y), Scale(kLineWidth), Scale(height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        y += height;
    };
    if (!hideFileLocation) {
        place(kAddressCaption, kLineHeight);
        place(kAddressLabel, kLineHeight);
        y += 4;
    }
    place(kFileSizeLabel, kLineHeight);
    place(kRateLabel, kLineHeight);
    place(kTimeLeftLabel, kLineHeight);
    y += 4;
    place(kFileBar, kBarHeight);
    const int groupHeight = y + 10;
    SetWindowPos(currentGroup_, nullptr, Scale(kGroupLeft), Scale(kGroupTop), Scale(kGroupWidth), Scale(groupHeight),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(allGroup_, nullptr, Scale(kGroupLeft), Scale(kGroupTop + groupHeight + 8), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void UpdateWizardForm::Start(HWND owner, bool hideFileLocation) {
    if (!Handle() && !Build(owner)) return;
    finished_ = false;
    Layout(hideFileLocation);
    SetText(kTitleLabel, UpdateText(1));
    ShowControl(kCurrentGroup, true);
    ShowControl(kAllGroup, true);
    ShowControl(kCompletedLabel, false);
    SetText(kNextButton, UpdateText(18));
    EnableWindow(Item(kNextButton), FALSE);
    EnableWindow(Item(kCancelButton), TRUE);
    SendMessageA(Item(kAllBar), PBM_SETPOS, 0, 0);
    ShowFile("", "");
    CentreWindowOn(Handle(), owner ? owner : GetDesktopWindow());
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Item(kCancelButton));
}

void UpdateWizardForm::ShowFile(const std::string& downloadingLine, const std::string& address) {
    SetText(kCountLabel, downloadingLine);
    SetText(kAddressLabel, address);
    for (int id : {kFileSizeLabel, kRateLabel, kTimeLeftLabel}) SetText(id, UpdateText(22));
    SendMessageA(Item(kFileBar), PBM_SETPOS, 0, 0);
}

void UpdateWizardForm::ShowFileSize(const std::string& fileSizeLine) {
    SetText(kFileSizeLabel, fileSizeLine);
}

void UpdateWizardForm::ShowProgress(const DownloadProgress& progress) {
    SendMessageA(Item(kFileBar), PBM_SETPOS, progress.filePercent, 0);
    SendMessageA(Item(kAllBar), PBM_SETPOS, progress.allPercent, 0);
    SetText(kRateLabel, progress.rateLine);
    SetText(kTimeLeftLabel, progress.timeLeftLine);
}

void UpdateWizardForm::ShowFinished(const std::string& completedText) {
    finished_ = true;
    SetText(kTitleLabel, UpdateText(2));
    ShowControl(kCurrentGroup, false);
    ShowControl(kAllGroup, false);
    SetText(kCompletedLabel, completedText);
    ShowControl(kCompletedLabel, true);
    EnableWindow(Item(kCancelButton), FALSE);
    SetText(kNextButton, UpdateText(16));
    EnableWindow(Item(kNextButton), TRUE);
    SetFocus(Item(kNextButton));
}

void UpdateWizardForm::Close() {
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

void UpdateWizardForm::SetText(int id, const std::string& text) {
    SetWindowTextA(Item(id), text.c_str());
}

void UpdateWizardForm::ShowControl(int id, bool shown) {
    ShowWindow(Item(id), shown ? SW_SHOW : SW_HIDE);
}

HWND UpdateWizardForm::Item(int id) const {
    HWND direct = GetDlgItem(Handle(), id);
    if (direct) return direct;
    HWND inCurrent = GetDlgItem(currentGroup_, id);
    return inCurrent ? inCurrent : GetDlgItem(allGroup_, id);
}

LRESULT UpdateWizardForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kNextButton && finished_) {
            onConfirm_();
            return 0;
        }
        if (LOWORD(wParam) == kCancelButton && IsWindowEnabled(Item(kCancelButton))) {
            onCancel_();
            return 0;
        }
        return 0;
    case WM_CLOSE:
        onCancel_();
        return 0;
    default:
        break;
    }
    return UpdateDialog::HandleMessage(msg, wParam, lParam);
}
