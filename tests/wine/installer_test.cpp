// The built installer and the portable key tool, run silently: files, settings key, rights,
// a batch pass of the installed program, and the uninstaller.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <shlobj.h>

#include <string>
#include <algorithm>
#include <vector>

#include "support/game_folder.h"
#include "support/wine_test_support.h"

namespace {

constexpr const char* kUserShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quenwick Lurkmark";

bool KeyExists(const char* path) {
    ScopedRegKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) == ERROR_SUCCESS;
}

std::string ReadUninstallValue(const char* name) {
    ScopedRegKey key;
    char data[1024] = "";
    DWORD size = sizeof data - 1;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return data;
}

// Whether an allow entry of the Users group on the settings key (opened in the 32-bit view, as
// the program opens it) carries every right in `wanted`.
bool UsersAllowedOnSettingsKey(DWORD wanted) {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenwick\\Lurkmark", 0, READ_CONTROL | KEY_WOW64_32KEY,
                      key.Receive()) != ERROR_SUCCESS) {
        return false;
    }
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetSecurityInfo(key.Get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                        &sd) != ERROR_SUCCESS) {
        return false;
    }
    BYTE usersSid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof usersSid;
    bool allowed = false;
    if (dacl && CreateWellKnownSid(WinBuiltinUsersSid, nullptr, usersSid, &sidSize)) {
        for (DWORD i = 0; i < dacl->AceCount && !allowed; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace)) continue;
            auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            allowed = allow->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                      EqualSid(reinterpret_cast<PSID>(&allow->SidStart), usersSid) &&
                      (allow->Mask & wanted) == wanted;
        }
    }
    LocalFree(sd);
    return allowed;
}

std::string CommonDataFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string CommonProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::vector<std::string> FilesMatching(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// Every test starts without settings, uninstall entry or shortcut, and with the user's
// documents redirected (as Windows' folder redirection does) into a temporary folder, so
// that the results folder the installer makes stays inside C:\lurktest.
std::string SetupExePath() {
    return wt::Env("LURK_PACKAGE_DIR") + "\\Lurkmark-" + wt::Env("LURK_VERSION") + "-setup.exe";
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMachineState();
        documents_ = docs_.Path() + "Documents";
        wt::MakeFolders(documents_);
        ScopedRegKey shellFolders;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUserShellFolders, 0, KEY_READ | KEY_SET_VALUE,
                                shellFolders.Receive()),
                  ERROR_SUCCESS);
        char old[MAX_PATH] = "";
        DWORD size = sizeof old;
        DWORD type = 0;
        if (RegQueryValueExA(shellFolders.Get(), "Personal", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
            ERROR_SUCCESS) {
            oldDocuments_ = old;
            oldDocumentsType_ = type;
        }
        RegSetValueExA(shellFolders.Get(), "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(documents_.c_str()),
                       static_cast<DWORD>(documents_.size() + 1));
    }

    void TearDown() override {
        ScopedRegKey shellFolders;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserShellFolders, 0, KEY_SET_VALUE, shellFolders.Receive()) ==
            ERROR_SUCCESS) {
            if (oldDocumentsType_) {
                RegSetValueExA(shellFolders.Get(), "Personal", 0, oldDocumentsType_,
                               reinterpret_cast<const BYTE*>(oldDocuments_.c_str()),
                               static_cast<DWORD>(oldDocuments_.size() + 1));
            } else {
                RegDeleteValueA(shellFolders.Get(), "Personal");
            }
        }
        ClearMachineState();
    }

    static void ClearMachineState() {
        wt::DeleteSettingsKey();
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenwick", KEY_WOW64_32KEY, 0);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_32KEY, 0);
        DeleteFileA((CommonProgramsFolder() + "\\Quenwick Lurkmark.lnk").c_str());
    }

    // Installs silently into a folder named with a blank; returns it with a trailing backslash.
    std::string Install() {
        const std::string folder = target_.Path() + "Quenwick Lurkmark";
        // /D= must be last and unquoted, even with blanks.
        const wt::ProcessResult r = wt::RunAndWait("\"" + SetupPath() + "\" /S /D=" + folder, target_.Path(), 60000);
        EXPECT_TRUE(r.ended);
        EXPECT_EQ(r.exitCode, 0u);
        return folder + "\\";
    }

    // The uninstaller copies itself away and returns at once; started from a copy with _?=
    // it works on the folder in place and returns when done.
    wt::ProcessResult Uninstall(const std::string& installed) {
        const std::string copy = uninstallCopy_.Path() + "Uninstall.exe";
        EXPECT_TRUE(CopyFileA((installed + "Uninstall.exe").c_str(), copy.c_str(), FALSE));
        const std::string folder = installed.substr(0, installed.size() - 1);
        return wt::RunAndWait("\"" + copy + "\" /S _?=" + folder, uninstallCopy_.Path(), 60000);
    }

    static std::string SetupPath() { return SetupExePath(); }

    std::string ResultsFolder() const { return documents_ + "\\Lurkmark Results\\"; }

    // The values and rights that a first start needs.
    void ExpectFreshSettings() const {
        EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), ResultsFolder());
        EXPECT_TRUE(wt::FolderExists(ResultsFolder())) << "the program only keeps an existing results folder";
        EXPECT_EQ(wt::ReadSettingsValue("Path"), "");
        EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "0");
        EXPECT_TRUE(UsersAllowedOnSettingsKey(
                                 KEY_QUERY_VALUE | KEY_SET_VALUE))
            << "a program started without elevation must be able to store its options";
    }

    wt::TempFolder docs_{"installer_docs"};
    wt::TempFolder target_{"installer_target"};
    wt::TempFolder uninstallCopy_{"installer_uninstall"};
    std::string documents_;
    std::string oldDocuments_;
    DWORD oldDocumentsType_ = 0;
};

TEST_F(Installer, InstallsRunsABatchPassAndUninstalls) {
    const std::string version = wt::Env("LURK_VERSION");
    const std::string installed = Install();

    for (const char* file : {"QWK_Lurkmark.exe", "QWK_FrameRecorder.dll", "Demos\\rivo3v-5.demo",
                             "Demos\\rivo3v-6.demo", "Help\\help.chm", "Uninstall.exe"}) {
        EXPECT_TRUE(wt::FileExists(installed + file)) << file;
    }
    EXPECT_EQ(wt::ReadFileBytes(installed + "version.txt"), version + "\r\n");
    const std::string shortcut = CommonProgramsFolder() + "\\Quenwick Lurkmark.lnk";
    EXPECT_TRUE(wt::FileExists(shortcut));
    ExpectFreshSettings();
    EXPECT_EQ(ReadUninstallValue("DisplayVersion"), version);
    EXPECT_EQ(ReadUninstallValue("UninstallString"), "\"" + installed + "Uninstall.exe\"");

    // The installed program runs a pass with the settings the installer made.
    wt::GameFolder game{"installer_game", "Prey Game"};
    ScopedRegKey settings;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quenwick\\Lurkmark", 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                            settings.Receive()),
              ERROR_SUCCESS);
    RegSetValueExA(settings.Get(), "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(game.GamePath().c_str()),
                   static_cast<DWORD>(game.GamePath().size() + 1));
    const wt::ProcessResult pass =
        wt::RunAndWait("\"" + installed + "QWK_Lurkmark.exe\" /BATCH /640 /DEMO1", installed, 60000);
    ASSERT_TRUE(pass.ended);
    const std::vector<std::string> reports = FilesMatching(ResultsFolder() + "result_*.htm");
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(wt::ReadSettingsValue("Programversion"), version);
    EXPECT_FALSE(wt::FileExists(installed + "version.txt"));
    EXPECT_TRUE(wt::FileExists(installed + "debug.txt"));

    const wt::ProcessResult removal = Uninstall(installed);
    ASSERT_TRUE(removal.ended);
    EXPECT_EQ(removal.exitCode, 0u);
    EXPECT_FALSE(wt::FolderExists(installed)) << "the program's working files go with it";
    EXPECT_FALSE(wt::FileExists(shortcut));
    EXPECT_FALSE(KeyExists("SOFTWARE\\Quenwick"));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_TRUE(wt::FileExists(ResultsFolder() + reports[0])) << "the user's reports stay";
}

// The data folder, where a program without elevation keeps its working files, is made by the
// installer; its working files there go with the program, its reports stay. (Wine keeps no
// rights on files: package.rights reads from the scripts that the program's folder gets no
// grant and the data folder its Users grant.)
TEST_F(Installer, DataFolderIsMadeAndItsWorkingFilesGoWithTheProgram) {
    const std::string installed = Install();
    const std::string data = CommonDataFolder() + "\\Quenwick\\Lurkmark";
    ASSERT_TRUE(wt::FolderExists(data));

    wt::WriteFileBytes(data + "\\debug.txt", "log");
    wt::MakeFolders(data + "\\Benchmark");
    wt::WriteFileBytes(data + "\\Benchmark\\result_1.htm", "<html></html>");
    ASSERT_TRUE(Uninstall(installed).ended);
    EXPECT_FALSE(wt::FileExists(data + "\\debug.txt")) << "working files go with the program";
    EXPECT_TRUE(wt::FileExists(data + "\\Benchmark\\result_1.htm")) << "reports stay";
    wt::RemoveTree(CommonDataFolder() + "\\Quenwick");
}

TEST_F(Installer, UninstallKeepsReportsSavedBesideTheProgram) {
    const std::string installed = Install();
    // The program's default results folder when the user's one is gone.
    wt::MakeFolders(installed + "Benchmark");
    wt::WriteFileBytes(installed + "Benchmark\\result_1.htm", "<html></html>");

    ASSERT_TRUE(Uninstall(installed).ended);
    EXPECT_TRUE(wt::FileExists(installed + "Benchmark\\result_1.htm"));
    EXPECT_FALSE(wt::FileExists(installed + "QWK_Lurkmark.exe"));
    EXPECT_FALSE(wt::FileExists(installed + "QWK_FrameRecorder.dll"));
    EXPECT_FALSE(wt::FileExists(installed + "Uninstall.exe"));
}

TEST_F(Installer, InstallOverAnEarlierOneKeepsTheUsersSettings) {
    wt::TempFolder results{"installer_own_results"};
    wt::GameFolder game{"installer_kept_game", "Prey"};
    wt::CreateSettingsKey({{"ResultPath", results.Path()}, {"Path", game.GamePath()}, {"Shader", "2"},
                           {"NoErrorWarning", "1"}});

    const std::string installed = Install();
    EXPECT_EQ(wt::ReadSettingsValue("ResultPath"), results.Path());
    EXPECT_EQ(wt::ReadSettingsValue("Path"), game.GamePath());
    EXPECT_EQ(wt::ReadSettingsValue("Shader"), "2");
    EXPECT_EQ(wt::ReadSettingsValue("NoErrorWarning"), "1") << "an interrupted pass is still offered for repair";
    EXPECT_FALSE(wt::FolderExists(ResultsFolder()));
    ASSERT_TRUE(Uninstall(installed).ended);
}

// Wine reports to one program the Windows version its application defaults name, as that
// Windows would; the entry is removed again at the end.
class ReportedWindowsVersion {
public:
    ReportedWindowsVersion(const std::string& program, const char* version)
        : path_("Software\\Wine\\AppDefaults\\" + program) {
        ScopedRegKey key;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  key.Receive(), nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                                 static_cast<DWORD>(std::string(version).size() + 1)),
                  ERROR_SUCCESS);
    }
    ~ReportedWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }

private:
    std::string path_;
};

// Windows XP SP3 (build 2600) is the oldest the program runs on: the installer refuses anything
// older with ERROR_OLD_WIN_VERSION and leaves nothing behind. (Wine's "winxp" is XP SP3 for a
// 32-bit installer and XP x64, build 3790, for a 64-bit one: both are accepted.)
TEST_F(Installer, RefusesWindowsOlderThanXpServicePackThree) {
    const std::string setup = "Lurkmark-" + wt::Env("LURK_VERSION") + "-setup.exe";
    const struct {
        const char* version;
        DWORD exitCode;
    } cases[] = {{"win2k", 1150}, {"winxp", 0}, {"win7", 0}};
    for (const auto& c : cases) {
        ReportedWindowsVersion reported(setup, c.version);
        const std::string folder = target_.Path() + c.version + " Lurkmark";
        const wt::ProcessResult r = wt::RunAndWait("\"" + SetupPath() + "\" /S /D=" + folder, target_.Path(), 60000);
        ASSERT_TRUE(r.ended) << c.version;
        EXPECT_EQ(r.exitCode, c.exitCode) << c.version;
        const bool installed = c.exitCode == 0;
        EXPECT_EQ(wt::FileExists(folder + "\\QWK_Lurkmark.exe"), installed) << c.version;
        EXPECT_EQ(KeyExists("SOFTWARE\\Quenwick\\Lurkmark"), installed) << c.version;
        if (installed) EXPECT_TRUE(Uninstall(folder + "\\").ended);
    }
}

TEST_F(Installer, PortableKeyToolCreatesTheSameSettings) {
    const std::string tool = wt::Env("LURK_PACKAGE_DIR") + "\\CreateSettingsKey.exe";
    const wt::ProcessResult r = wt::RunAndWait("\"" + tool + "\" /S", target_.Path(), 60000);
    ASSERT_TRUE(r.ended);
    EXPECT_EQ(r.exitCode, 0u);
    ExpectFreshSettings();
}

// The manifest and version resource come from their own resource script; a build that lost
// them would run virtualised under UAC and report no version.
TEST(ProgramResources, ManifestAndVersionAreBuiltIn) {
    const std::string exe = wt::Env("LURK_BIN_DIR") + "\\QWK_Lurkmark.exe";
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    FreeLibrary(module);
    for (const char* entry : {"level=\"asInvoker\"", "Microsoft.Windows.Common-Controls", "<dpiAware>true</dpiAware>"}) {
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    }

    DWORD ignored = 0;
    std::string info(GetFileVersionInfoSizeA(exe.c_str(), &ignored), '\0');
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    char* version = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductVersion",
                               reinterpret_cast<void**>(&version), &length));
    EXPECT_EQ(std::string(version), wt::Env("LURK_VERSION")) << "the about label and the installer show this one";
}

BOOL CALLBACK FirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    *reinterpret_cast<LPCSTR*>(found) = name;
    return FALSE;
}

// The installer shows the program's icon (all five sizes), as its Start menu entry and
// Settings > Apps do through the program itself.
TEST(ProgramResources, InstallerCarriesTheProgramsIcon) {
    HMODULE setup = LoadLibraryExA(SetupExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(setup, nullptr);
    LPCSTR name = nullptr;
    EnumResourceNamesA(setup, MAKEINTRESOURCEA(14), FirstName, reinterpret_cast<LONG_PTR>(&name));  // RT_GROUP_ICON
    ASSERT_NE(name, nullptr);
    HRSRC group = FindResourceA(setup, name, MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(setup, group)));
    std::vector<int> sides;
    for (int i = 0; i < (dir[4] | (dir[5] << 8)); ++i) sides.push_back(dir[6 + 14 * i] == 0 ? 256 : dir[6 + 14 * i]);
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (std::vector<int>{16, 24, 32, 48, 256}));
    FreeLibrary(setup);
}

}  // namespace
