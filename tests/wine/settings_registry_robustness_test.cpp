// Registry values no version of the program writes: of the wrong type, far too long, or
// holding any byte. The load, through the real store and in the real program, leaves every
// option whose value is unusable as a fresh key leaves it, and nothing crashes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "platform/win_file_system_win.h"
#include "settings/display_modes_win.h"
#include "settings/registry_settings_store_win.h"
#include "settings/settings_load.h"
#include "support/started_program.h"
#include "support/window_automation.h"
#include "support/wine_test_support.h"

namespace {

// A value stored exactly as given: no terminator added.
struct RawValue {
    DWORD type;
    std::string bytes;
};

void WriteRaw(const std::string& name, const RawValue& value) {
    ScopedRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, RegistrySettingsStore::kKeyPath, 0, nullptr, 0,
                              KEY_SET_VALUE | RegistrySettingsStore::kKeyView, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.Get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                             static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS)
        << name;
}

DWORD TypeOf(const std::string& name) {
    ScopedRegKey key;
    DWORD type = REG_NONE;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RegistrySettingsStore::kKeyPath, 0,
                      KEY_READ | RegistrySettingsStore::kKeyView, key.Receive()) != ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        return REG_NONE;
    }
    return type;
}

RawValue Dword(DWORD number) { return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)}; }
RawValue Text(const std::string& bytes) { return {REG_SZ, bytes}; }

std::string EveryByte(unsigned char from) {
    std::string bytes;
    for (unsigned c = from; c <= 0xFF; ++c) bytes += static_cast<char>(c);
    return bytes;
}

const std::string kOneMegabyte(1 << 20, '1');

// The unusable forms of a value: the wrong type holding what would otherwise be a good value,
// far too long, and any byte (with and without a leading NUL, never terminated).
std::vector<RawValue> UnusableForms() {
    return {Dword(1),
            {REG_BINARY, std::string("1\0", 2)},
            {REG_MULTI_SZ, std::string("1\0\0", 3)},
            Text(kOneMegabyte),
            Text(EveryByte(1)),
            Text(EveryByte(0))};
}

// Every value that selects, checks or fills a control from a fixed set of texts (or a folder
// or file that must exist, or a note of at most 50 characters), and the proxy texts, which are
// shown as stored when their fields could hold them.
const char* const kChoiceValues[] = {"Path",   "640",        "800",  "1024",     "1280",   "1600",
                                     "2048",   "hdw1",       "hdw2", "hdw3",     "CusW",   "CusH",
                                     "CusRes", "AspectRatio", "Demo", "Demoname", "Shader", "ResultPath",
                                     "AFLevel", "AALevel",    "Note", "Boost",    "UseProxy"};
const char* const kProxyTexts[] = {"ProxyServer", "ProxyPort", "ProxyUsername", "ProxyPassword"};

// Every field of the options, for comparing one load with another.
std::string Describe(const OptionState& o) {
    std::ostringstream out;
    out << "game=" << o.gameFolder << " results=" << o.resultFolder << " label=" << o.versionLabel << " res=";
    for (const ResolutionItem& item : o.resolutions) out << item.checked << item.enabled;
    out << " custom=" << o.customOn << o.customFieldsEnabled << "[" << o.customWidth << "x" << o.customHeight << "]"
        << " aspect=" << o.aspect << " demo=" << o.demo << o.demoFileEnabled << "[" << o.demoFile << "]"
        << " shader=" << o.shader << " af=" << o.af << " aa=" << o.aa << " note=[" << o.note << "] boost=" << o.boost
        << " proxy=" << o.useProxy << o.proxyFieldsEnabled << "[" << o.proxyServer << "|" << o.proxyPort << "|"
        << o.proxyUsername << "|" << o.proxyPassword << "]";
    return out.str();
}

struct RegistryRobustness : ::testing::Test {
    RegistrySettingsStore store;
    WinFileSystem files;
    wt::TempFolder bench{"robust_bench"};

    void TearDown() override { wt::DeleteSettingsKey(); }

    // The load of whatever the key holds now, through the real store.
    OptionState Load() {
        OptionState options;
        AppPaths paths;
        paths.BenchDir = bench.Path();
        SettingsLoadContext ctx{store, files, BuildDisplayModeList, nullptr};
        LoadSettings(ctx, options, paths);
        return options;
    }
};

TEST_F(RegistryRobustness, UnusableValuesLeaveTheirOptionsAsAFreshKeyDoes) {
    wt::CreateSettingsKey();
    const std::string fresh = Describe(Load());
    const std::vector<RawValue> forms = UnusableForms();
    for (const char* name : kChoiceValues) {
        for (std::size_t form = 0; form < forms.size(); ++form) {
            wt::CreateSettingsKey();
            WriteRaw(name, forms[form]);
            EXPECT_EQ(Describe(Load()), fresh) << name << ", form " << form;
        }
    }
    // Any byte but NUL is a proxy text; the version label shows whatever string is stored.
    for (const char* name : kProxyTexts) {
        for (std::size_t form : {0, 1, 2, 3, 5}) {
            wt::CreateSettingsKey();
            WriteRaw(name, forms[form]);
            EXPECT_EQ(Describe(Load()), fresh) << name << ", form " << form;
        }
    }
    for (std::size_t form : {0, 1, 2, 5}) {
        wt::CreateSettingsKey();
        WriteRaw("Programversion", forms[form]);
        EXPECT_EQ(Describe(Load()), fresh) << "Programversion, form " << form;
    }
}

TEST_F(RegistryRobustness, LoadReplacesTheUnusableValuesItRepairs) {
    wt::CreateSettingsKey();
    WriteRaw("Path", Dword(1));
    WriteRaw("ResultPath", Text(kOneMegabyte));
    WriteRaw("CusW", Text(kOneMegabyte));
    WriteRaw("CusH", Text(EveryByte(1)));
    WriteRaw("Demo", Text("3"));
    WriteRaw("Demoname", Text(EveryByte(1)));
    const OptionState options = Load();
    EXPECT_EQ(TypeOf("Path"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(wt::ReadSettingsValue("Path"), "");
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), bench.Path() + "Benchmark\\");
    EXPECT_EQ(wt::ReadSettingsValue("CusW"), "0");
    EXPECT_EQ(wt::ReadSettingsValue("CusH"), "0");
    // A user demo that cannot exist falls back to the first shipped demo.
    EXPECT_EQ(options.demo, 0);
    EXPECT_EQ(wt::ReadSettingsValue("Demo"), "1");
    EXPECT_EQ(wt::ReadSettingsValue("Demoname"), "");
}

TEST_F(RegistryRobustness, StringsEndAtTheirFirstNulWhetherOrNotTerminated) {
    wt::CreateSettingsKey();
    WriteRaw("Shader", Text("3"));  // no terminator
    WriteRaw("Boost", Text(std::string("1\0\x01\xFFjunk", 8)));
    WriteRaw("Note", Text(std::string("quiet\0", 6) + kOneMegabyte));
    WriteRaw("ProxyServer", Text(std::string("proxy.lan\0", 10) + kOneMegabyte));
    const OptionState options = Load();
    EXPECT_EQ(options.shader, 3);
    EXPECT_TRUE(options.boost);
    EXPECT_EQ(options.note, "quiet");
    EXPECT_EQ(options.proxyServer, "proxy.lan");
}

std::size_t TextLength(HWND window) { return static_cast<std::size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)); }

// The controls of a key holding nothing usable: nothing checked or selected, empty fields,
// the default results folder.
void ExpectInitialControls(const wt::StartedProgram& app, const std::string& benchFolder) {
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(ctl::ResItemBase + i))) << "resolution " << i;
    const int radioItems[][2] = {{ctl::AspectItemBase, 3}, {ctl::DemoItemBase, 3}, {ctl::ShaderItemBase, 4}};
    for (const auto& group : radioItems) {
        for (int i = 0; i < group[1]; ++i) EXPECT_FALSE(wt::IsChecked(app.Control(group[0] + i))) << group[0] + i;
    }
    for (int combo : {ctl::AFBox, ctl::AABox}) EXPECT_EQ(SendMessageA(app.Control(combo), CB_GETCURSEL, 0, 0), CB_ERR);
    for (int box : {ctl::cusresbox, ctl::BoostCheckBox, ctl::UseProxyBox}) EXPECT_FALSE(wt::IsChecked(app.Control(box)));
    for (int field : {ctl::CusWidth, ctl::CusPossibilities, ctl::DemoEdit, ctl::DemoEditButton, ctl::ProxyServerEdit,
                      ctl::ProxyPassEdit}) {
        EXPECT_FALSE(IsWindowEnabled(app.Control(field))) << field;
    }
    for (int field : {ctl::PreyPathEdit, ctl::CusWidth, ctl::CusHeight, ctl::DemoEdit, ctl::NoteEdit}) {
        EXPECT_EQ(TextLength(app.Control(field)), 0u) << field;
    }
    EXPECT_EQ(wt::TextOf(app.Control(ctl::ResEdit)), benchFolder + "Benchmark\\");
}

// The program ran its load, shows no message and still answers: its Exit ends it normally.
void ExpectAliveAndExit(wt::StartedProgram& app) {
    EXPECT_EQ(wt::WaitForDialogOwnedBy(app.main, 500), nullptr) << "no message, no recovery question";
    EXPECT_TRUE(app.Exit());
    EXPECT_EQ(app.program.ExitCode(), 0u);
}

TEST(RegistryRobustnessProgram, EveryValueOfTheWrongType) {
    wt::TempFolder bench{"robust_types"};
    wt::CreateSettingsKey();
    for (const char* name : kChoiceValues) WriteRaw(name, Dword(1));
    for (const char* name : kProxyTexts) WriteRaw(name, Dword(1));
    WriteRaw("Programversion", Dword(1));
    WriteRaw("NoErrorWarning", Dword(1));

    wt::StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    ExpectInitialControls(app, bench.Path());
    for (int field : {ctl::ProxyServerEdit, ctl::ProxyPortEdit, ctl::ProxyUsernameEdit, ctl::ProxyPassEdit}) {
        EXPECT_EQ(TextLength(app.Control(field)), 0u) << field;
    }
    EXPECT_EQ(wt::TextOf(app.Control(ctl::Label6)), "v");
    EXPECT_EQ(TypeOf("ResultPath"), static_cast<DWORD>(REG_SZ));
    ExpectAliveAndExit(app);
    wt::DeleteSettingsKey();
}

TEST(RegistryRobustnessProgram, EveryValueFarTooLongOrHoldingAnyByte) {
    wt::TempFolder bench{"robust_bytes"};
    wt::CreateSettingsKey();
    bool longOne = true;
    for (const char* name : kChoiceValues) {
        WriteRaw(name, Text(longOne ? kOneMegabyte : EveryByte(1)));
        longOne = !longOne;
    }
    WriteRaw("Programversion", Text(EveryByte(1)));
    WriteRaw("ProxyServer", Text(kOneMegabyte));
    WriteRaw("ProxyPort", Text(EveryByte(0)));
    WriteRaw("ProxyUsername", Text(EveryByte(1)));
    WriteRaw("ProxyPassword", Text(kOneMegabyte));
    WriteRaw("NoErrorWarning", Text(EveryByte(1)));

    wt::StartedProgram app(bench.Path());
    ASSERT_NE(app.main, nullptr);
    ExpectInitialControls(app, bench.Path());
    // Proxy texts are shown as stored, up to the first NUL, when their fields could hold them.
    EXPECT_EQ(TextLength(app.Control(ctl::ProxyServerEdit)), 0u);
    EXPECT_EQ(TextLength(app.Control(ctl::ProxyPassEdit)), 0u);
    EXPECT_EQ(TextLength(app.Control(ctl::ProxyPortEdit)), 0u);
    EXPECT_GT(TextLength(app.Control(ctl::ProxyUsernameEdit)), 0u);
    EXPECT_EQ(wt::TextOf(app.Control(ctl::Label6)).substr(0, 2), "v\x01");
    ExpectAliveAndExit(app);
    wt::DeleteSettingsKey();
}

}  // namespace
