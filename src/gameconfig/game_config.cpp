#include "gameconfig/game_config.h"

#include <stdexcept>

#include "gameconfig/pass_marks.h"

namespace {

const char* const kAutoexec = "autoexec.cfg";
const char* const kAutoexecBackup = "autoexec_old.cfg";
const char* const kPreyconfig = "preyconfig.cfg";
const char* const kPreyconfigBackup = "preyconfig_old.cfg";

// "autoexec.cfg" -> "autoexec_kept.cfg", "autoexec_kept2.cfg", ...
std::string KeptName(const std::string& file, int number) {
    const std::string stem = file.substr(0, file.rfind('.'));
    return stem + "_kept" + (number > 1 ? std::to_string(number) : "") + ".cfg";
}

}  // namespace

void GameConfig::FilterStep(const BenchOptions& bench, LogSink& log) {
    const ScriptSetting aa = AntialiasingSetting(bench.aa);
    const ScriptSetting af = FilteringSetting(bench.af);
    antialiasingLine_ = aa.line;
    filteringLine_ = af.line;
    texts_.antialiasing = aa.text;
    texts_.filtering = af.text;
    log.Add(texts_.antialiasing);
    log.Add(texts_.filtering);
}

void GameConfig::BoostStep(const BenchOptions& bench) {
    boost_ = bench.boost == "BOOST";
    texts_.boost = BoostText(boost_);
}

bool GameConfig::AutoexecIsGenerated() {
    std::string bytes;
    return files_.ReadFile(CfgFile(kAutoexec), bytes) && IsGeneratedAutoexec(bytes);
}

bool GameConfig::AutoexecIsOurs() {
    if (!AutoexecIsGenerated()) return false;
    // Without a record the content alone decides; with one, an empty or look-alike file the
    // user made is theirs unless this program wrote the folder's autoexec.cfg.
    if (!records_ || prepared_) return true;
    const PreparationRecord record = Record();
    return record.folder == folder_ && record.autoexecGenerated;
}

PreparationRecord GameConfig::Record() const {
    return records_ ? ReadPreparationRecord(*records_) : PreparationRecord{};
}

void GameConfig::UpdateRecord(bool autoexecGenerated) {
    if (!records_) return;
    PreparationRecord record = Record();
    if (record.folder != folder_) record = PreparationRecord{folder_};
    record.autoexecSetAside = record.autoexecSetAside || HasBackup(kAutoexecBackup);
    record.preyconfigSetAside = record.preyconfigSetAside || HasBackup(kPreyconfigBackup);
    record.autoexecGenerated = record.autoexecGenerated || autoexecGenerated;
    WritePreparationRecord(*records_, record);
}

bool GameConfig::BackupsLeft() const { return HasBackup(kAutoexecBackup) || HasBackup(kPreyconfigBackup); }

void GameConfig::Keep(const char* file) {
    int number = 1;
    while (files_.FileExists(folder_ + KeptName(file, number))) ++number;
    fileOps_.Move(CfgFile(file), folder_ + KeptName(file, number));
}

void GameConfig::SetAside(const char* file, const char* backup) {
    // An existing backup holds the user's file from before an unrestored preparation.
    if (HasBackup(backup)) {
        Keep(file);
    } else {
        fileOps_.Move(CfgFile(file), CfgFile(backup));
    }
}

void GameConfig::Prepare(const BenchOptions& bench, LogSink& log) {
    if (paths_.CfgPath.empty()) return;
    // One record, one folder: an unrestored preparation of another game folder goes back first.
    const PreparationRecord earlier = Record();
    if (earlier.Present() && earlier.folder != paths_.CfgPath) RestoreFolder(earlier.folder, &log);
    folder_ = paths_.CfgPath;
    if (files_.FileExists(CfgFile(kAutoexec))) {
        // Our own file from an unrestored preparation is simply written over below.
        if (!(HasBackup(kAutoexecBackup) && AutoexecIsOurs())) SetAside(kAutoexec, kAutoexecBackup);
        log.Add("Exist autoexec.cfg --- renamed");
    } else {
        log.Add("No exist autoexec.cfg");
    }
    if (files_.FileExists(CfgFile(kPreyconfig))) {
        SetAside(kPreyconfig, kPreyconfigBackup);
        log.Add("Exist preyconfig.cfg --- renamed");
    } else {
        log.Add("No exist preyconfig.cfg");
    }
    // A move that failed leaves the user's file in place: writing over it, or letting the game
    // write over it, would lose it. The pass then stops and the restore puts back what moved.
    UpdateRecord(false);
    if (files_.FileExists(CfgFile(kAutoexec)) && !AutoexecIsOurs()) throw CannotSetAside(kAutoexec);
    if (files_.FileExists(CfgFile(kPreyconfig))) throw CannotSetAside(kPreyconfig);
    texts_.shader = ShaderText(bench.shader);
    const int level = ShaderLevel(bench.shader);
    if (level != kNoShaderLevel) {
        log.Add(texts_.shader);
        if (boost_) log.Add("Boost is enabled");
    }
    fileOps_.WriteLines(CfgFile(kAutoexec), AutoexecLines(level, boost_, antialiasingLine_, filteringLine_));
    prepared_ = true;
    UpdateRecord(true);
    log.Add("Modified settings saved: " + paths_.CfgPath);
}

std::runtime_error GameConfig::CannotSetAside(const char* file) const {
    return std::runtime_error("Your game settings file " + CfgFile(file) +
                              " could not be moved aside; another program may be using it. The benchmark was "
                              "not started, and your game settings are as they were.");
}

void GameConfig::DiscardAutoexec() {
    if (!files_.FileExists(CfgFile(kAutoexec))) return;
    if (AutoexecIsOurs()) {
        files_.DeleteFileIfExists(CfgFile(kAutoexec));
    } else {
        Keep(kAutoexec);
    }
}

void GameConfig::BringBack(const char* backup, const char* file) {
    fileOps_.Move(CfgFile(backup), CfgFile(file));
}

void GameConfig::Restore(LogSink* debugLines) {
    const PreparationRecord record = Record();
    RestoreFolder(record.Present() ? record.folder : paths_.CfgPath, debugLines);
}

void GameConfig::RestoreFolder(const std::string& folder, LogSink* debugLines) {
    if (folder.empty()) return;
    folder_ = folder;
    const PreparationRecord record = Record();
    const bool wroteAutoexec = prepared_ || (record.folder == folder_ && record.autoexecGenerated);
    if (HasBackup(kAutoexecBackup)) {
        DiscardAutoexec();
        BringBack(kAutoexecBackup, kAutoexec);
        if (debugLines) debugLines->Add("Restore autoexec.cfg");
    } else {
        // Only a file this program generated since its last restore goes.
        if (wroteAutoexec) DiscardAutoexec();
        if (debugLines) debugLines->Add("Delete autoexec.cfg");
    }
    if (HasBackup(kPreyconfigBackup)) {
        // The preyconfig.cfg in place is the one the game wrote during the pass.
        files_.DeleteFileIfExists(CfgFile(kPreyconfig));
        BringBack(kPreyconfigBackup, kPreyconfig);
        if (debugLines) debugLines->Add("Restore preyconfig.cfg");
    }
    prepared_ = false;
    // A move that failed keeps the record, so that the next start asks again.
    if (records_ && !BackupsLeft()) ClearPreparationRecord(*records_);
}

bool GameConfig::StartupRecovery(SettingsStore& store, const YesNoQuestion& ask) {
    // A recorded preparation is offered back even when its pass was refused (pass mark "0") and
    // the program then ended without its restore.
    const PreparationRecord record = ReadPreparationRecord(store);
    if (!PassUnderWay(store) && !record.Present()) return true;
    if (!ask(kRecoveryQuestion)) return true;
    folder_ = record.Present() ? record.folder : paths_.CfgPath;
    if (!folder_.empty()) {
        if (HasBackup(kAutoexecBackup)) {
            DiscardAutoexec();
            BringBack(kAutoexecBackup, kAutoexec);
        }
        if (HasBackup(kPreyconfigBackup)) {
            files_.DeleteFileIfExists(CfgFile(kPreyconfig));
            BringBack(kPreyconfigBackup, kPreyconfig);
        }
        // Still set aside: the question comes again at the next start.
        if (BackupsLeft()) return false;
    }
    if (record.Present()) ClearPreparationRecord(store);
    MarkRecovered(store);
    return true;
}
