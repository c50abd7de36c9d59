#pragma once
#include <string>

#include "settings/settings_store.h"

// Which game folder a preparation set up, kept beside the pass mark in the settings key so that
// a later restore, or the recovery question at a later start, acts on that folder whatever the
// game folder is by then. Two values: PreparedFolder, the configuration folder (the game's
// "base\" with its trailing backslash), and PreparedFiles, one letter for each fact: "A" the
// user's autoexec.cfg was set aside, "P" their preyconfig.cfg was, "G" the autoexec.cfg now in
// that folder is the one this program wrote. Both are emptied once the folder is restored.
struct PreparationRecord {
    std::string folder;
    bool autoexecSetAside = false;
    bool preyconfigSetAside = false;
    bool autoexecGenerated = false;

    bool Present() const { return !folder.empty(); }
};

constexpr const char* kPreparedFolderValue = "PreparedFolder";
constexpr const char* kPreparedFilesValue = "PreparedFiles";

// Unknown letters are ignored; a record without a folder is no record.
PreparationRecord ParsePreparationRecord(const std::string& folder, const std::string& files);
std::string PreparedFilesText(const PreparationRecord& record);

PreparationRecord ReadPreparationRecord(SettingsStore& store);
void WritePreparationRecord(SettingsStore& store, const PreparationRecord& record);
void ClearPreparationRecord(SettingsStore& store);
