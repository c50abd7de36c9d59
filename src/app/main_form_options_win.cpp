// The option pages: showing the loaded options and storing each change as it happens.
#include "app/main_form_win.h"

#include <variant>

#include "app/browse_dialogs_win.h"
#include "app/control_ids.h"
#include "app/option_controls_win.h"
#include "app/picker_form_win.h"
#include "settings/option_store.h"

namespace {

struct ChoiceGroup {
    int firstItemId;
    int count;
};
constexpr ChoiceGroup kAspectItems{ctl::AspectItemBase, 3};
constexpr ChoiceGroup kDemoItems{ctl::DemoItemBase, 3};
constexpr ChoiceGroup kShaderItems{ctl::ShaderItemBase, 4};

int ItemIndex(int id, const ChoiceGroup& group) {
    return id >= group.firstItemId && id < group.firstItemId + group.count ? id - group.firstItemId : -1;
}

constexpr int kProxyFields[] = {ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit, ctl::ProxyPassEdit};
constexpr int kCustomSizeFields[] = {ctl::CusWidth, ctl::CusHeight, ctl::CusPossibilities};

}  // namespace

// Puts the loaded options into the controls. A radio group whose choice the load set runs
// its change event, as a user's choice would.
void MainForm::ShowOptions() {
    showingOptions_ = true;
    SetText(ctl::PreyPathEdit, options_.gameFolder);
    SetText(ctl::ResEdit, options_.resultFolder);
    SetText(ctl::NoteEdit, options_.note);
    SetText(ctl::Label6, options_.versionLabel);
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        const int id = ctl::ResItemBase + static_cast<int>(i);
        SetChecked(id, options_.resolutions[i].checked);
        Enable(id, options_.resolutions[i].enabled);
    }
    SetChecked(ctl::cusresbox, options_.customOn);
    SetText(ctl::CusWidth, options_.customWidth);
    SetText(ctl::CusHeight, options_.customHeight);
    for (int id : kCustomSizeFields) Enable(id, options_.customFieldsEnabled);
    SelectItem(kAspectItems.firstItemId, kAspectItems.count, options_.aspect);
    SelectItem(kDemoItems.firstItemId, kDemoItems.count, options_.demo);
    SetText(ctl::DemoEdit, options_.demoFile);
    Enable(ctl::DemoEdit, options_.demoFileEnabled);
    Enable(ctl::DemoEditButton, options_.demoFileEnabled);
    SelectItem(kShaderItems.firstItemId, kShaderItems.count, options_.shader);
    SendMessageA(Control(ctl::AFBox), CB_SETCURSEL, options_.af, 0);
    SendMessageA(Control(ctl::AABox), CB_SETCURSEL, options_.aa, 0);
    SetChecked(ctl::BoostCheckBox, options_.boost);
    SendMessageA(Control(ctl::RepeatsBox), CB_SETCURSEL, options_.repeats - 1, 0);
    SetChecked(ctl::WarmUpCheckBox, options_.warmUp);
    SetChecked(ctl::BatchQuietCheckBox, options_.batchQuiet);
    SetChecked(ctl::HighPerfCheckBox, options_.highPerformancePlan);
    SetChecked(ctl::FrameTimesCheckBox, options_.frameTimes);
    SetChecked(ctl::UseProxyBox, options_.useProxy);
    SetText(ctl::ProxyServerEdit, options_.proxyServer);
    SetText(ctl::ProxyPortEdit, options_.proxyPort);
    SetText(ctl::ProxyUsernameEdit, options_.proxyUsername);
    SetText(ctl::ProxyPassEdit, options_.proxyPassword);
    for (int id : kProxyFields) Enable(id, options_.proxyFieldsEnabled);
    SetText(ctl::TimeLimitEdit, std::to_string(TimeLimitMinutesShown(options_.gameTimeLimitSeconds)));
    showingOptions_ = false;
    if (options_.aspect != kNoChoice) AspectBoxChanging(options_.aspect);
    if (options_.demo != kNoChoice) demoChanging(options_.demo);
    if (options_.shader != kNoChoice) ShaderModeBoxChanging(options_.shader);
}

// True when the control is one of the options: its change is then stored.
bool MainForm::OnOptionCommand(int id, int code) {
    if (const int i = ItemIndex(id, {ctl::ResItemBase, static_cast<int>(kResolutionCount)}); i >= 0) {
        if (code == BN_CLICKED) resItemClick(i);
        return true;
    }
    // The radio groups: the change event runs only when the choice really changes.
    struct RadioGroup {
        ChoiceGroup items;
        int OptionState::*choice;
        void (MainForm::*changing)(int);
    };
    static const RadioGroup radioGroups[] = {
        {kAspectItems, &OptionState::aspect, &MainForm::AspectBoxChanging},
        {kDemoItems, &OptionState::demo, &MainForm::demoChanging},
        {kShaderItems, &OptionState::shader, &MainForm::ShaderModeBoxChanging},
    };
    for (const RadioGroup& group : radioGroups) {
        const int i = ItemIndex(id, group.items);
        if (i < 0) continue;
        const bool chosen = CheckedItem(group.items.firstItemId, group.items.count) == i;
        if (code == BN_CLICKED && !showingOptions_ && chosen && options_.*group.choice != i) (this->*group.changing)(i);
        return true;
    }
    // Options with more to do than store what their control holds.
    struct OtherOption {
        int id;
        WORD event;
        void (MainForm::*change)();
    };
    static const OtherOption otherOptions[] = {
        {ctl::cusresbox, BN_CLICKED, &MainForm::cusresboxClick},
        {ctl::RepeatsBox, CBN_SELCHANGE, &MainForm::RepeatsBoxChange},
        {ctl::ProxyPassEdit, EN_CHANGE, &MainForm::ProxyPassEditChange},
        {ctl::TimeLimitEdit, EN_CHANGE, &MainForm::TimeLimitEditChange},
    };
    for (const OtherOption& option : otherOptions) {
        if (option.id != id) continue;
        if (code == option.event) (this->*option.change)();
        return true;
    }
    const PlainOption* option = FindPlainOption(id);
    if (!option) return false;
    if (code == option->event && !showingOptions_) StorePlainOption(*option);
    return true;
}

void MainForm::StorePlainOption(const PlainOption& option) {
    if (const auto flag = std::get_if<bool OptionState::*>(&option.field)) {
        options_.**flag = IsChecked(option.id);
        StoreFlag(settings_, option.value, options_.**flag);
    } else if (const auto index = std::get_if<int OptionState::*>(&option.field)) {
        options_.**index = static_cast<int>(SendMessageA(Control(option.id), CB_GETCURSEL, 0, 0));
        StoreChoice(settings_, option.value, options_.**index);
    } else {
        const auto text = std::get<std::string OptionState::*>(option.field);
        options_.*text = TextOf(option.id);
        StoreText(settings_, option.value, options_.*text);
    }
    if (option.id == ctl::UseProxyBox) {
        options_.proxyFieldsEnabled = options_.useProxy;
        for (int id : kProxyFields) Enable(id, options_.useProxy);
    }
}

// A check box's value is stored again when the pointer leaves it, as well as on each click.
void MainForm::OnPointerLeft(int id) {
    if (id == ctl::res) return StoreResolutions(settings_, options_);
    if (id == ctl::cusresbox) return StoreCustomResolutionSwitch(settings_, options_);
    const PlainOption* option = FindPlainOption(id);
    if (!option) return;
    if (const auto flag = std::get_if<bool OptionState::*>(&option->field)) {
        StoreFlag(settings_, option->value, options_.**flag);
    }
}

void MainForm::RzToolButton2Click() {
    const auto file = BrowseForFile(Handle(), "Browse for Prey.exe...", "Prey.exe (prey.exe)|prey.exe",
                                    options_.gameFolder);
    if (!file) return;
    try {
        PickGameFolder(settings_, files_, *file, options_, paths_);
    } catch (...) {
        SetText(ctl::PreyPathEdit, options_.gameFolder);
        throw;
    }
    SetText(ctl::PreyPathEdit, options_.gameFolder);
}

void MainForm::RzToolButton1Click() {
    const auto folder = BrowseForFolder(Handle(), "Browse for results folder...", options_.resultFolder);
    if (!folder) return;
    PickResultFolder(settings_, *folder, options_, paths_);
    SetText(ctl::ResEdit, options_.resultFolder);
}

void MainForm::resItemClick(int index) {
    options_.resolutions[index].checked = IsChecked(ctl::ResItemBase + index);
    // Stored at once as well as when the pointer leaves, so that keyboard changes are kept.
    StoreResolutions(settings_, options_);
}

void MainForm::cusresboxClick() {
    options_.customOn = IsChecked(ctl::cusresbox);
    options_.customFieldsEnabled = options_.customOn;
    for (int id : kCustomSizeFields) Enable(id, options_.customOn);
    StoreCustomResolutionSwitch(settings_, options_);
}

void MainForm::CusPossibilitiesClick() {
    if (!picker_) return;
    picker_->ShowModal([this](const ScreenSize& size) {
        SetText(ctl::CusWidth, size.width);
        SetText(ctl::CusHeight, size.height);
        StoreCustomSize(settings_, options_, size.width, size.height);
    });
}

void MainForm::AspectBoxChanging(int index) {
    options_.aspect = index;
    StoreChoice(settings_, "AspectRatio", index);
}

void MainForm::demoChanging(int index) {
    options_.demo = index;
    options_.demoFileEnabled = index == 2;
    Enable(ctl::DemoEdit, options_.demoFileEnabled);
    Enable(ctl::DemoEditButton, options_.demoFileEnabled);
    StoreDemoChoice(settings_, index);
}

void MainForm::DemoEditButtonClick() {
    const auto file = BrowseForFile(Handle(), "Browse for Prey demo files...", "Prey demo files (*.demo)|*.demo",
                                    FolderOfDemoFile());
    if (!file) return;
    PickUserDemo(settings_, *file, options_);
    SetText(ctl::DemoEdit, options_.demoFile);
}

// The folder of the user's demo; without one, the game's demos folder.
std::string MainForm::FolderOfDemoFile() const {
    const std::size_t slash = options_.demoFile.find_last_of('\\');
    if (slash != std::string::npos) return options_.demoFile.substr(0, slash + 1);
    return paths_.DemosPath;
}

void MainForm::ShaderModeBoxChanging(int index) {
    options_.shader = index;
    StoreChoice(settings_, "Shader", index);
}

void MainForm::RepeatsBoxChange() {
    const int index = static_cast<int>(SendMessageA(Control(ctl::RepeatsBox), CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= kMaxRepeats) return;
    options_.repeats = index + 1;
    StoreRepeats(settings_, options_.repeats);
}

// The password is stored sealed, never as typed.
void MainForm::ProxyPassEditChange() {
    if (showingOptions_) return;
    options_.proxyPassword = TextOf(ctl::ProxyPassEdit);
    StoreProxyPassword(settings_, secrets_, options_.proxyPassword);
}

void MainForm::TimeLimitEditChange() {
    if (showingOptions_) return;
    const std::string text = TextOf(ctl::TimeLimitEdit);
    // An emptied field is being retyped: nothing to store yet.
    if (text.empty()) return;
    const std::optional<int> minutes = ParseGameTimeLimit(text);
    if (!minutes || *minutes > kMaxGameTimeLimitMinutes) {
        SetText(ctl::TimeLimitEdit, std::to_string(kMaxGameTimeLimitMinutes));  // reports the change again
        return;
    }
    options_.gameTimeLimitSeconds = *minutes * 60;
    StoreGameTimeLimit(settings_, options_.gameTimeLimitSeconds);
}

int MainForm::CheckedItem(int firstItemId, int count) const {
    for (int i = 0; i < count; ++i) {
        if (IsChecked(firstItemId + i)) return i;
    }
    return kNoChoice;
}

void MainForm::SelectItem(int firstItemId, int count, int index) {
    for (int i = 0; i < count; ++i) SetChecked(firstItemId + i, i == index);
    // Unchecking a radio item takes its tab stop away; a group with no choice keeps one on
    // its first item, so the keyboard still reaches it.
    if (index == kNoChoice) {
        HWND first = Control(firstItemId);
        SetWindowLongA(first, GWL_STYLE, GetWindowLongA(first, GWL_STYLE) | WS_TABSTOP);
    }
}
