// The start-up load of the settings, whatever the key holds: every value read, every folder
// and file asked about and every display mode comes from the input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>

#include "fakes/fake_settings.h"
#include "fuzz_check.h"
#include "settings/base64.h"
#include "settings/settings_load.h"
#include "settings/stored_password.h"

namespace {

// A value not yet read or written gets the next text of the input: any bytes but NUL, which
// ends a registry string as the real store reads it, and any length.
class FuzzedSettingsStore : public FakeSettingsStore {
public:
    explicit FuzzedSettingsStore(FuzzedDataProvider& input) : input_(input) {}
    std::string Read(const std::string& name) override {
        if (!values.count(name)) {
            const std::string text = input_.ConsumeRandomLengthString();
            values[name] = text.substr(0, text.find('\0'));
        }
        return FakeSettingsStore::Read(name);
    }

private:
    FuzzedDataProvider& input_;
};

// The first question about a path decides from the input whether it exists and what it holds.
class FuzzedFileSystem : public FakeFileSystem {
public:
    explicit FuzzedFileSystem(FuzzedDataProvider& input) : input_(input) {}
    bool FolderExists(const std::string& path) override {
        if (askedFolders_.insert(path).second && input_.ConsumeBool()) folders.insert(path);
        return FakeFileSystem::FolderExists(path);
    }
    bool FileExists(const std::string& path) override {
        if (askedFiles_.insert(path).second && input_.ConsumeBool()) files[path] = input_.ConsumeRandomLengthString();
        return FakeFileSystem::FileExists(path);
    }
    bool CreateFolder(const std::string& path) override {
        if (!input_.ConsumeBool()) uncreatable.insert(path);
        askedFolders_.insert(path);
        return FakeFileSystem::CreateFolder(path);
    }
    bool ReadFile(const std::string& path, std::string& bytes) override {
        FileExists(path);
        return FakeFileSystem::ReadFile(path, bytes);
    }

private:
    FuzzedDataProvider& input_;
    std::set<std::string> askedFolders_;
    std::set<std::string> askedFiles_;
};

bool InRange(int choice, int count) { return choice == kNoChoice || (choice >= 0 && choice < count); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzedSettingsStore store(input);
    FuzzedFileSystem files(input);
    store.keyExists = input.ConsumeBool();

    const auto offeredModes = [&] {
        DisplayModeList modes;
        for (const ResolutionEntry& entry : ResolutionTable) {
            if (input.ConsumeBool()) modes.push_back(DisplayModeText(entry.width, entry.height));
        }
        // The adapter may offer the stored custom size, whatever it says.
        if (input.ConsumeBool()) modes.push_back(DisplayModeText(store.Read("CusW"), store.Read("CusH")));
        return modes;
    };
    int recoveries = 0;
    SettingsLoadContext ctx{store, files, offeredModes, [&] { ++recoveries; }};
    OptionState options;
    AppPaths paths;
    paths.BenchDir = "C:\\Lurkmark\\";
    const std::string problem = LoadSettings(ctx, options, paths);
    if (!problem.empty()) {
        // The one failure the load reports: a demos folder it cannot make. The rest still loads.
        FUZZ_CHECK(problem == "Cannot create " + paths.DemosPath);
        FUZZ_CHECK(!files.FolderExists(paths.DemosPath));
    }

    if (!store.keyExists) {
        FUZZ_CHECK(store.reads == 0 && store.writes == 0 && recoveries == 0);
        return 0;
    }
    FUZZ_CHECK(recoveries == 1);
    FUZZ_CHECK(InRange(options.aspect, 3) && InRange(options.demo, 3) && InRange(options.shader, 4));
    FUZZ_CHECK(InRange(options.af, 6) && InRange(options.aa, 4));
    for (const ResolutionItem& item : options.resolutions) FUZZ_CHECK(item.enabled || !item.checked);
    if (options.customOn) FUZZ_CHECK(!options.customWidth.empty() && !options.customHeight.empty());
    FUZZ_CHECK(options.customFieldsEnabled == options.customOn);
    FUZZ_CHECK(options.demoFileEnabled == (options.demo == 2));
    if (options.demo == 2) FUZZ_CHECK(!options.demoFile.empty() && files.FileExists(options.demoFile));
    FUZZ_CHECK(!options.resultFolder.empty() && paths.ResultPath == options.resultFolder);
    if (options.gameFolder.empty()) {
        FUZZ_CHECK(store.values["Path"].empty() && paths.GamePath.empty());
    } else {
        FUZZ_CHECK(paths.GamePath == options.gameFolder && files.FolderExists(paths.DemosPath) == problem.empty());
    }
    FUZZ_CHECK(options.versionLabel == "v" + store.values["Programversion"]);
    FUZZ_CHECK(options.note.size() <= kNoteMaxLength && (options.note.empty() || options.note == store.values["Note"]));
    FUZZ_CHECK(options.proxyFieldsEnabled == options.useProxy);
    const std::string& storedPassword = store.values["ProxyPassword"];
    if (storedPassword.rfind(kSealedPasswordPrefix, 0) == 0) {
        // Sealed for an account: without that account's key the field stays empty.
        FUZZ_CHECK(options.proxyPassword.empty());
    } else if (!storedPassword.empty()) {
        const std::string decoded = DecodeBase64Mime(storedPassword);
        FUZZ_CHECK(options.proxyPassword == (decoded.size() <= kTextFieldMaxLength ? decoded : ""));
    }
    for (const std::string* text :
         {&options.proxyServer, &options.proxyPort, &options.proxyUsername, &options.proxyPassword}) {
        FUZZ_CHECK(text->size() <= kTextFieldMaxLength);
    }
    return 0;
}
