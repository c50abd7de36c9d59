#include "settings/option_store.h"

#include "domain/game_time_limit.h"
#include "settings/settings_load.h"

namespace {

std::string TokenAt(const char* const* tokens, int count, int index) {
    return index >= 0 && index < count ? tokens[index] : "";
}

}  // namespace

void StoreResolutions(SettingsStore& store, const OptionState& options) {
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        // A size this display does not offer is dimmed and shown unchecked: the choice made
        // on another display is kept for it.
        if (!options.resolutions[i].enabled) continue;
        store.Write(ResolutionTable[i].key, options.resolutions[i].checked ? "1" : "0");
    }
}

void StoreCustomResolutionSwitch(SettingsStore& store, const OptionState& options) {
    const bool on = options.customOn && !options.customWidth.empty() && !options.customHeight.empty();
    store.Write("CusRes", on ? "1" : "0");
}

void StoreCustomSize(SettingsStore& store, OptionState& options, const std::string& width, const std::string& height) {
    options.customWidth = width;
    options.customHeight = height;
    store.Write("CusW", width);
    store.Write("CusH", height);
    if (options.customOn) StoreCustomResolutionSwitch(store, options);
}

void StoreChoice(SettingsStore& store, const std::string& name, int index) {
    if (index != kNoChoice) store.Write(name, std::to_string(index));
}

void StoreDemoChoice(SettingsStore& store, int index) {
    if (index != kNoChoice) store.Write("Demo", std::to_string(index + 1));
}

void StoreFlag(SettingsStore& store, const std::string& name, bool on) {
    store.Write(name, on ? "1" : "0");
}

void StoreRepeats(SettingsStore& store, int repeats) { store.Write("Repeats", std::to_string(repeats)); }

void StoreText(SettingsStore& store, const std::string& name, const std::string& text) {
    store.Write(name, text);
}

void StoreProxyPassword(SettingsStore& store, SecretSealer& sealer, const std::string& password) {
    // An emptied field stores its emptiness; a password itself is never stored unsealed.
    store.Write("ProxyPassword", password.empty() ? std::string() : EncodeStoredPassword(password, sealer));
}

void StoreGameTimeLimit(SettingsStore& store, int seconds) {
    store.Write(kGameTimeLimitValue, std::to_string(seconds));
}

void PickGameFolder(SettingsStore& store, FileSystem& files, const std::string& exePath,
                    OptionState& options, AppPaths& paths) {
    const std::string folder = GameFolderOfFile(exePath);
    options.gameFolder = folder;
    store.Write("Path", folder);
    SetGameFolder(files, folder, paths);
}

void PickResultFolder(SettingsStore& store, const std::string& chosenFolder, OptionState& options,
                      AppPaths& paths) {
    const std::string folder = ResultFolderText(chosenFolder);
    options.resultFolder = folder;
    store.Write("ResultPath", folder);
    paths.ResultPath = folder;
}

void PickUserDemo(SettingsStore& store, const std::string& demoFile, OptionState& options) {
    options.demoFile = demoFile;
    store.Write("Demoname", demoFile);
}

BenchOptions DeriveBenchOptions(const OptionState& options) {
    static const char* const kAspect[] = {"AR43", "AR169", "AR1610"};
    static const char* const kShader[] = {"SLOW", "SMED", "SHIGH", "SHIGHEST"};
    static const char* const kAa[] = {"AANONE", "AA2", "AA4", "AASYS"};
    static const char* const kAf[] = {"AFNONE", "AF2", "AF4", "AF8", "AF16", "AFSYS"};
    static const char* const kDemo[] = {"DEMO1", "DEMO2"};  // item 2, the user's demo, has no token
    BenchOptions bench;
    bench.aspect = TokenAt(kAspect, 3, options.aspect);
    bench.shader = TokenAt(kShader, 4, options.shader);
    bench.aa = TokenAt(kAa, 4, options.aa);
    bench.af = TokenAt(kAf, 6, options.af);
    bench.demo = TokenAt(kDemo, 2, options.demo);
    bench.boost = options.boost ? "BOOST" : "";
    bench.timeLimit = TimeLimitToken(options.gameTimeLimitSeconds);
    if (options.repeats > 1 && options.repeats <= kMaxRepeats) bench.runs = "RUNS" + std::to_string(options.repeats);
    bench.warmUp = options.warmUp ? "WARMUP" : "";
    bench.highPerf = options.highPerformancePlan ? "HIGHPERF" : "";
    bench.frames = options.frameTimes ? "FRAMES" : "";
    return bench;
}
