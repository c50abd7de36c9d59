#include "results/pass_history_win.h"

#include <windows.h>

#include "platform/scoped_win.h"
#include "platform/text_file.h"
#include "results/history_index.h"

namespace {

std::vector<ListedFile> ListDataFiles(const std::string& prefix) {
    std::vector<ListedFile> files;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((prefix + "result_*.json").c_str(), &data));
    if (!find) return files;
    do {
        // The wildcard also matches names such as result_1.jsonx through their short names.
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsResultDataFileName(data.cFileName)) continue;
        files.push_back({data.cFileName, (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                         (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                             data.ftLastWriteTime.dwLowDateTime});
    } while (FindNextFileA(find.Get(), &data));
    return files;
}

IndexedFile ReadDataFile(const std::string& prefix, const ListedFile& listed) {
    std::string text;
    if (!ReadWholeFile(prefix + listed.name, text)) {
        return {listed, {listed.name, std::nullopt, "the file cannot be read"}, false};
    }
    return {listed, ReadHistoryEntry(listed.name, text), true};
}

// Many PCs may write the index of one shared folder at once: each writes a file of its own
// and puts it in place in one step, so a reader sees a whole index, an older one or none.
// An index that cannot be written costs only time: the next fill reads the files again.
void WriteIndex(const std::string& prefix, const std::vector<IndexedFile>& files) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(prefix.c_str(), "lrk", 0, temporary)) return;
    try {
        WriteWholeFile(temporary, EncodeHistoryIndex(files));
        if (MoveFileExA(temporary, (prefix + kHistoryIndexFileName).c_str(), MOVEFILE_REPLACE_EXISTING)) return;
    } catch (const std::exception&) {
        // A full or vanished share: the same as an index that cannot be put in place.
    }
    DeleteFileA(temporary);
}

}  // namespace

std::vector<HistoryEntry> ReadHistoryFolder(const std::string& folder) {
    std::vector<HistoryEntry> entries;
    if (folder.empty()) return entries;
    const std::string prefix = folder.back() == '\\' ? folder : folder + "\\";
    const std::vector<ListedFile> listing = ListDataFiles(prefix);
    std::string indexBytes;
    std::vector<IndexedFile> index;
    if (ReadWholeFile(prefix + kHistoryIndexFileName, indexBytes)) index = DecodeHistoryIndex(indexBytes);
    HistoryRefresh refresh =
        RefreshHistory(listing, std::move(index), [&](const ListedFile& f) { return ReadDataFile(prefix, f); });
    if (refresh.indexChanged) WriteIndex(prefix, refresh.files);
    entries.reserve(refresh.files.size());
    for (IndexedFile& f : refresh.files) entries.push_back(std::move(f.entry));
    return entries;
}
