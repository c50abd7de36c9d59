#pragma once
#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "settings/settings_store.h"
#include "settings/stored_password.h"

// A settings key held in memory, counting the accesses made to it.
class FakeSettingsStore : public SettingsStore {
public:
    bool keyExists = true;
    std::map<std::string, std::string> values;
    int reads = 0;
    int writes = 0;

    bool KeyExists() override { return keyExists; }
    std::string Read(const std::string& name) override {
        ++reads;
        auto it = values.find(name);
        return keyExists && it != values.end() ? it->second : "";
    }
    void Write(const std::string& name, const std::string& value) override {
        ++writes;
        if (!keyExists) throw std::runtime_error(FailedToSetDataMessage(name));
        values[name] = value;
    }
    void WriteCreatingKey(const std::string& name, const std::string& value) override {
        keyExists = true;
        Write(name, value);
    }
};

// Seals for one account, named by its key: a blob sealed under another key does not open.
// The bytes are scrambled, so a test sees that the secret is not stored as it is.
class FakeSealer : public SecretSealer {
public:
    explicit FakeSealer(char key = 'A') : key_(key) {}
    bool fails = false;

    std::optional<std::string> Seal(const std::string& secret) override {
        if (fails) return std::nullopt;
        std::string sealed(1, key_);
        for (char c : secret) sealed += static_cast<char>(c ^ key_);
        return sealed;
    }
    std::optional<std::string> Open(const std::string& sealed) override {
        if (sealed.empty() || sealed[0] != key_) return std::nullopt;
        std::string secret;
        for (std::size_t i = 1; i < sealed.size(); ++i) secret += static_cast<char>(sealed[i] ^ key_);
        return secret;
    }

private:
    char key_;
};

// Folders and files held in memory; paths compared as given.
class FakeFileSystem : public FileSystem {
public:
    std::set<std::string> folders;
    std::map<std::string, std::string> files;
    std::set<std::string> uncreatable;
    std::set<std::string> undeletable;  // held open by another program
    std::set<std::string> locked;       // another writer holds the lock for longer than any wait
    std::set<std::string> unwritable;   // no file can be made or written here
    std::set<std::string> unconfirmed;  // appends land whole, but their flush fails
    std::vector<unsigned> lockWaits;    // the wait of every append, in order

    bool FolderExists(const std::string& path) override { return folders.count(path) > 0; }
    bool FileExists(const std::string& path) override { return files.count(path) > 0; }
    bool CreateFolder(const std::string& path) override {
        if (uncreatable.count(path)) return false;
        folders.insert(path);
        return true;
    }
    bool DeleteFileIfExists(const std::string& path) override {
        if (files.count(path) && undeletable.count(path)) return false;
        files.erase(path);
        return true;
    }
    bool ReadFile(const std::string& path, std::string& bytes) override {
        auto it = files.find(path);
        if (it == files.end()) return false;
        bytes = it->second;
        return true;
    }
    bool ReadFileUpTo(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        if (!ReadFile(path, bytes)) return false;
        if (bytes.size() <= maxBytes) return true;
        bytes.clear();
        return false;
    }
    // An undeletable file cannot be replaced either; the old content stays.
    void WriteFileReplacing(const std::string& path, const std::string& bytes) override {
        if (undeletable.count(path) || unwritable.count(path)) throw std::runtime_error("Cannot replace file " + path);
        files[path] = bytes;
    }
    bool CreateNewFile(const std::string& path) override {
        if (unwritable.count(path)) throw std::runtime_error("Cannot create file " + path);
        if (files.count(path) || folders.count(path)) return false;
        files[path] = "";
        return true;
    }
    bool AppendUnderLock(const std::string& path, unsigned waitMs,
                         const std::function<std::string(const AppendedFileState&)>& compose) override {
        lockWaits.push_back(waitMs);
        if (unwritable.count(path)) throw std::runtime_error("Cannot open file " + path);
        if (locked.count(path)) return false;
        std::string& bytes = files[path];
        AppendedFileState state;
        state.empty = bytes.empty();
        state.firstLine = bytes.substr(0, bytes.find("\r\n"));
        state.endsWithLineBreak = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
        bytes += compose(state);
        if (unconfirmed.count(path)) throw AppendNotConfirmed("Cannot flush file " + path);
        return true;
    }
};
