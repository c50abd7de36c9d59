#include "app/option_controls_win.h"

#include "app/control_ids.h"

namespace {

const PlainOption kPlainOptions[] = {
    {ctl::NoteEdit, EN_CHANGE, &OptionState::note, "Note"},
    {ctl::AFBox, CBN_SELCHANGE, &OptionState::af, "AFLevel"},
    {ctl::AABox, CBN_SELCHANGE, &OptionState::aa, "AALevel"},
    {ctl::BoostCheckBox, BN_CLICKED, &OptionState::boost, "Boost"},
    {ctl::WarmUpCheckBox, BN_CLICKED, &OptionState::warmUp, "WarmUp"},
    {ctl::BatchQuietCheckBox, BN_CLICKED, &OptionState::batchQuiet, "BatchQuiet"},
    {ctl::HighPerfCheckBox, BN_CLICKED, &OptionState::highPerformancePlan, "HighPerformancePlan"},
    {ctl::FrameTimesCheckBox, BN_CLICKED, &OptionState::frameTimes, "FrameTimes"},
    {ctl::UseProxyBox, BN_CLICKED, &OptionState::useProxy, "UseProxy"},
    {ctl::ProxyServerEdit, EN_CHANGE, &OptionState::proxyServer, "ProxyServer"},
    {ctl::ProxyPortEdit, EN_CHANGE, &OptionState::proxyPort, "ProxyPort"},
    {ctl::ProxyUsernameEdit, EN_CHANGE, &OptionState::proxyUsername, "ProxyUsername"},
};

}  // namespace

const PlainOption* FindPlainOption(int id) {
    for (const PlainOption& option : kPlainOptions) {
        if (option.id == id) return &option;
    }
    return nullptr;
}
