#pragma once
#include <string>

#include "domain/app_paths.h"
#include "domain/bench_options.h"
#include "domain/option_state.h"
#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "settings/stored_password.h"

// Storing one option at the moment the window changes it. Each writes exactly the text the
// settings key keeps for that option.

// The resolution values: "1" for a checked item, "0" for the others; a dimmed item keeps its value.
void StoreResolutions(SettingsStore& store, const OptionState& options);
// CusRes: "1" when switched on and both sizes are filled in.
void StoreCustomResolutionSwitch(SettingsStore& store, const OptionState& options);
// CusW and CusH, from the resolution picker; with the custom box checked, CusRes as well, so
// that a size added to a switched-on custom resolution is still on after a restart.
void StoreCustomSize(SettingsStore& store, OptionState& options, const std::string& width, const std::string& height);
// AspectRatio, Shader, AFLevel, AALevel: the item index; nothing when no item is selected.
void StoreChoice(SettingsStore& store, const std::string& name, int index);
// Demo keeps the item index plus one.
void StoreDemoChoice(SettingsStore& store, int index);
// Boost, UseProxy.
void StoreFlag(SettingsStore& store, const std::string& name, bool on);
// Repeats: the runs per resolution, "1" to "9".
void StoreRepeats(SettingsStore& store, int repeats);
// Note, ProxyServer, ProxyPort, ProxyUsername; an emptied field stores the empty text.
void StoreText(SettingsStore& store, const std::string& name, const std::string& text);
// ProxyPassword, sealed for the user's account (an emptied field stores the empty text).
void StoreProxyPassword(SettingsStore& store, SecretSealer& sealer, const std::string& password);

// GameTimeLimit, in whole seconds.
void StoreGameTimeLimit(SettingsStore& store, int seconds);

// The user chose prey.exe: the game folder is the file's folder.
void PickGameFolder(SettingsStore& store, FileSystem& files, const std::string& exePath,
                    OptionState& options, AppPaths& paths);
// The user chose a results folder (as the folder dialog returns it).
void PickResultFolder(SettingsStore& store, const std::string& chosenFolder, OptionState& options,
                      AppPaths& paths);
// The user chose a demo file; the demo choice is not changed.
void PickUserDemo(SettingsStore& store, const std::string& demoFile, OptionState& options);

// The selections of an interactive pass, afresh from the window.
BenchOptions DeriveBenchOptions(const OptionState& options);
