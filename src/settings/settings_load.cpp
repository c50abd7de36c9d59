#include "settings/settings_load.h"

#include <algorithm>
#include <stdexcept>

#include "domain/app_paths.h"
#include "domain/game_time_limit.h"

namespace {

// The stored choices "0".."{count-1}" select an item; any other text selects nothing.
int StoredIndex(const std::string& text, int count) {
    for (int i = 0; i < count; ++i) {
        if (text == std::to_string(i)) return i;
    }
    return kNoChoice;
}

// A text longer than its field takes is none the program stored: the field stays empty.
std::string FieldText(const std::string& text, std::size_t maxLength) {
    return text.size() <= maxLength ? text : std::string();
}

bool Contains(const DisplayModeList& modes, const std::string& mode) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

// The stored game folder stays as it is when its demos folder cannot be made: the user may
// mend the folder and start again.
std::string LoadGameFolder(SettingsLoadContext& ctx, OptionState& options, AppPaths& paths) {
    const std::string path = ctx.store.Read("Path");
    if (path.empty() || !ctx.files.FolderExists(path)) {
        ctx.store.Write("Path", "");
        options.gameFolder.clear();
        return "";
    }
    options.gameFolder = path;
    try {
        SetGameFolder(ctx.files, path, paths);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

void LoadVersion(SettingsLoadContext& ctx, OptionState& options, const AppPaths& paths) {
    const std::string versionFile = paths.BenchDir + "version.txt";
    std::string text;
    if (ctx.files.FileExists(versionFile) && ctx.files.ReadFile(versionFile, text)) {
        ctx.store.Write("Programversion", text.substr(0, 3));
        ctx.files.DeleteFileIfExists(versionFile);
    }
    options.versionLabel = "v" + ctx.store.Read("Programversion");
}

void LoadResolutions(SettingsLoadContext& ctx, OptionState& options, const DisplayModeList& modes) {
    for (ResolutionPosition i = 0; i < kResolutionCount; ++i) {
        const ResolutionEntry& entry = ResolutionTable[i];
        ResolutionItem& item = options.resolutions[i];
        if (Contains(modes, DisplayModeText(entry.width, entry.height))) {
            item.enabled = true;
            item.checked = ctx.store.Read(entry.key) == "1";
        } else {
            item.enabled = false;
            item.checked = false;
        }
    }
}

void LoadCustomResolution(SettingsLoadContext& ctx, OptionState& options, const DisplayModeList& modes) {
    const std::string width = ctx.store.Read("CusW");
    const std::string height = ctx.store.Read("CusH");
    if (width.empty() || width == "0" || height.empty() || height == "0") return;
    if (!Contains(modes, DisplayModeText(width, height))) {
        ctx.store.Write("CusW", "0");
        ctx.store.Write("CusH", "0");
        return;
    }
    options.customWidth = width;
    options.customHeight = height;
    options.customOn = ctx.store.Read("CusRes") == "1";
    options.customFieldsEnabled = options.customOn;
}

void LoadDemo(SettingsLoadContext& ctx, OptionState& options) {
    const int demo = StoredIndex(ctx.store.Read("Demo"), 4) - 1;
    if (demo < 0) return;
    options.demo = demo;
    options.demoFileEnabled = demo == 2;
    if (demo != 2) return;
    const std::string file = ctx.store.Read("Demoname");
    if (!file.empty() && ctx.files.FileExists(file)) {
        options.demoFile = file;
        return;
    }
    // The user's demo is gone: fall back to the first shipped demo.
    options.demoFile.clear();
    options.demo = 0;
    options.demoFileEnabled = false;
    ctx.store.Write("Demo", "1");
    ctx.store.Write("Demoname", "");
}

void LoadResultFolder(SettingsLoadContext& ctx, OptionState& options, AppPaths& paths) {
    options.resultFolder = ctx.store.Read("ResultPath");
    if (!options.resultFolder.empty() && !ctx.files.FolderExists(options.resultFolder)) {
        options.resultFolder.clear();
    }
    if (options.resultFolder.empty()) {
        options.resultFolder = DefaultResultPath(paths.WorkDir());
        ctx.store.Write("ResultPath", options.resultFolder);
    }
    paths.ResultPath = options.resultFolder;
}

// Opens nothing: a sealed password read without a sealer stays unread.
class NoSealer : public SecretSealer {
public:
    std::optional<std::string> Seal(const std::string&) override { return std::nullopt; }
    std::optional<std::string> Open(const std::string&) override { return std::nullopt; }
};

void LoadProxy(SettingsLoadContext& ctx, OptionState& options) {
    options.proxyServer = FieldText(ctx.store.Read("ProxyServer"), kTextFieldMaxLength);
    options.proxyPort = FieldText(ctx.store.Read("ProxyPort"), kTextFieldMaxLength);
    options.proxyUsername = FieldText(ctx.store.Read("ProxyUsername"), kTextFieldMaxLength);
    const std::string password = ctx.store.Read("ProxyPassword");
    if (!password.empty()) {
        // Sealed by another account (the settings are one set for the whole PC): that
        // user's password stays theirs, and this one's field stays empty.
        NoSealer none;
        const std::optional<std::string> plain = DecodeStoredPassword(password, ctx.secrets ? *ctx.secrets : none);
        if (plain) options.proxyPassword = FieldText(*plain, kTextFieldMaxLength);
    }
    options.proxyFieldsEnabled = options.useProxy;
}

}  // namespace

void SetGameFolder(FileSystem& files, const std::string& gameFolder, AppPaths& paths) {
    paths.GamePath = gameFolder;
    paths.CfgPath = JoinPath(gameFolder, "base\\");
    paths.DemosPath = paths.CfgPath + "Demos\\";
    if (!files.FolderExists(paths.DemosPath) && !files.CreateFolder(paths.DemosPath)) {
        throw std::runtime_error("Cannot create " + paths.DemosPath);
    }
}

std::string LoadSettings(SettingsLoadContext& ctx, OptionState& options, AppPaths& paths) {
    if (!ctx.store.KeyExists()) return "";
    const std::string problem = LoadGameFolder(ctx, options, paths);
    LoadVersion(ctx, options, paths);
    {
        const DisplayModeList modes = ctx.displayModes();
        LoadResolutions(ctx, options, modes);
        LoadCustomResolution(ctx, options, modes);
    }
    options.aspect = StoredIndex(ctx.store.Read("AspectRatio"), 3);
    LoadDemo(ctx, options);
    options.shader = StoredIndex(ctx.store.Read("Shader"), 4);
    LoadResultFolder(ctx, options, paths);
    options.af = StoredIndex(ctx.store.Read("AFLevel"), 6);
    options.aa = StoredIndex(ctx.store.Read("AALevel"), 4);
    options.note = FieldText(ctx.store.Read("Note"), kNoteMaxLength);
    options.boost = ctx.store.Read("Boost") == "1";
    options.useProxy = ctx.store.Read("UseProxy") == "1";
    LoadProxy(ctx, options);
    options.gameTimeLimitSeconds = StoredGameTimeLimit(ctx.store.Read(kGameTimeLimitValue));
    const std::string repeats = ctx.store.Read("Repeats");
    options.repeats = repeats.size() == 1 && repeats[0] >= '1' && repeats[0] <= '9' ? repeats[0] - '0' : 1;
    options.warmUp = ctx.store.Read("WarmUp") == "1";
    options.batchQuiet = ctx.store.Read("BatchQuiet") == "1";
    options.highPerformancePlan = ctx.store.Read("HighPerformancePlan") == "1";
    options.frameTimes = ctx.store.Read("FrameTimes") == "1";
    // A left-over of an interrupted pass.
    if (!paths.GamePath.empty()) ctx.files.DeleteFileIfExists(JoinPath(paths.GamePath, kGameBatchFileName));
    if (ctx.startupRecovery) ctx.startupRecovery();
    return problem;
}

std::string GameFolderOfFile(const std::string& filePath) {
    const std::size_t slash = filePath.find_last_of('\\');
    if (slash == std::string::npos) return filePath;
    // "C:\prey.exe": the root keeps its backslash.
    if (slash == 2 && filePath.size() > 1 && filePath[1] == ':') return filePath.substr(0, 3);
    return filePath.substr(0, slash);
}

std::string ResultFolderText(const std::string& chosenFolder) {
    if (chosenFolder.size() < 4) return chosenFolder;
    return chosenFolder + "\\";
}
