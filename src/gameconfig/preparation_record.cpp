#include "gameconfig/preparation_record.h"

PreparationRecord ParsePreparationRecord(const std::string& folder, const std::string& files) {
    PreparationRecord record;
    if (folder.empty()) return record;
    record.folder = folder;
    record.autoexecSetAside = files.find('A') != std::string::npos;
    record.preyconfigSetAside = files.find('P') != std::string::npos;
    record.autoexecGenerated = files.find('G') != std::string::npos;
    return record;
}

std::string PreparedFilesText(const PreparationRecord& record) {
    std::string text;
    if (record.autoexecSetAside) text += 'A';
    if (record.preyconfigSetAside) text += 'P';
    if (record.autoexecGenerated) text += 'G';
    return text;
}

PreparationRecord ReadPreparationRecord(SettingsStore& store) {
    return ParsePreparationRecord(store.Read(kPreparedFolderValue), store.Read(kPreparedFilesValue));
}

void WritePreparationRecord(SettingsStore& store, const PreparationRecord& record) {
    store.Write(kPreparedFolderValue, record.folder);
    store.Write(kPreparedFilesValue, PreparedFilesText(record));
}

void ClearPreparationRecord(SettingsStore& store) {
    // Only a key that holds a record is written to: a program that never prepared leaves the key alone.
    if (!ReadPreparationRecord(store).Present()) return;
    store.Write(kPreparedFolderValue, "");
    store.Write(kPreparedFilesValue, "");
}
