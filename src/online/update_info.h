#pragma once
#include <string>
#include <vector>

// What the update server's information file offers. Entries are "#key=value"; keys are
// found without regard to case and the first occurrence counts.
enum class UpgradeMethod { SelfUpgrade = 0, UseExternalSetup = 1, RedirectToURL = 2 };

struct UpdateInfo {
    std::string version;
    std::vector<std::string> files;  // addresses, in download order
    // For each address, the value of its "sha256" key with the url key's own suffix ("#url2=" goes
    // with "#sha2562="): the file's SHA-256 in hex, empty when the entry is missing.
    std::vector<std::string> fileHashes;
    std::string message;             // shown in the upgrade question
    UpgradeMethod method = UpgradeMethod::SelfUpgrade;
};

// The value of "#key=" (one of the file's keys, in lower case: "version", "message",
// "method", "url" and "url" followed by a number, "sha256" and "sha256" followed by a number): from after "=" to before the first
// control character. Empty when the entry is missing.
std::string FindInfoValue(const std::string& text, const std::string& key);

UpdateInfo ParseUpdateInfo(const std::string& text);
