#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/log_sink.h"
#include "gameconfig/preparation_record.h"
#include "gameconfig/quality_settings.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"

// Asks the user a Yes/No question; true only for Yes.
using YesNoQuestion = std::function<bool(const std::string& text)>;

constexpr const char* kRecoveryQuestion =
    "The last time an error occured. Do you wish to restore the original settings?";

// The game's configuration files in CfgPath during a pass: the user's autoexec.cfg and
// preyconfig.cfg set aside under backup names, a generated autoexec.cfg in their place, and
// the way back. One instance for the program's lifetime; CfgPath is read at each call.
//
// The user's files are never lost: a backup is never overwritten, and an autoexec.cfg that
// is not a generated one is never deleted; where one would be in the way (its backup slot is
// taken, or a restore brings the backup back over it) it is kept as "autoexec_kept.cfg" (then
// "autoexec_kept2.cfg", ...). A preyconfig.cfg found in place while its backup exists was
// written by the game after an unrestored preparation; it is kept the same way, as
// "preyconfig_kept.cfg", so that the game still starts without it.
//
// With a record store, every preparation is recorded in it (see preparation_record.h): the
// restore and the recovery question then act on the recorded folder, and an autoexec.cfg
// counts as generated only where the record says this program wrote it.
class GameConfig {
public:
    GameConfig(FileSystem& files, FileOperations& fileOps, const AppPaths& paths)
        : files_(files), fileOps_(fileOps), paths_(paths) {}

    // Where preparations are recorded; none: nothing is recorded and CfgPath is the folder.
    void KeepRecordIn(SettingsStore* store) { records_ = store; }

    // Antialiasing and filtering lines and texts; adds the two texts to the debug log.
    void FilterStep(const BenchOptions& bench, LogSink& log);
    // Boost on or off and its text.
    void BoostStep(const BenchOptions& bench);
    // Sets the user's files aside and writes autoexec.cfg for the shader level and the two
    // steps before. Throws when autoexec.cfg cannot be written or the user's file is still in
    // the way.
    void Prepare(const BenchOptions& bench, LogSink& log);
    // Puts the backups back. debugLines may be null: the restore then adds no lines.
    void Restore(LogSink* debugLines);
    // The last step of the settings load: offers to put the backups of an interrupted pass back.
    // False when, after a Yes, a file is still set aside (a move failed); true otherwise.
    bool StartupRecovery(SettingsStore& store, const YesNoQuestion& ask);

    const PassSettingsTexts& Texts() const { return texts_; }
    // The preparation record: set when a preparation wrote autoexec.cfg, cleared by every restore.
    bool Prepared() const { return prepared_; }

private:
    std::string CfgFile(const char* name) const { return folder_ + name; }
    bool HasBackup(const char* backup) const { return files_.FileExists(CfgFile(backup)); }
    void SetAside(const char* file, const char* backup);
    void Keep(const char* file);
    std::runtime_error CannotSetAside(const char* file) const;
    void DiscardAutoexec();
    bool AutoexecIsGenerated();
    // Generated content that this program wrote into the folder (the record says so).
    bool AutoexecIsOurs();
    PreparationRecord Record() const;
    void UpdateRecord(bool autoexecGenerated);
    void RestoreFolder(const std::string& folder, LogSink* debugLines);
    bool BackupsLeft() const;
    void BringBack(const char* backup, const char* file);

    FileSystem& files_;
    FileOperations& fileOps_;
    const AppPaths& paths_;
    PassSettingsTexts texts_;
    std::string antialiasingLine_;
    std::string filteringLine_;
    bool boost_ = false;
    bool prepared_ = false;
    SettingsStore* records_ = nullptr;
    std::string folder_;  // the configuration folder the current operation works in
};
