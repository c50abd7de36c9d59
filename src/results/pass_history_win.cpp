#include "results/pass_history_win.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <thread>

#include "platform/scoped_win.h"
#include "platform/text_file.h"
#include "results/history_index.h"

namespace {

// Windows 7 on lists a folder in fewer, larger calls and without the short names the list never
// shows; Windows XP and Vista refuse those settings with ERROR_INVALID_PARAMETER and list it
// the plain way.
HANDLE FindFirstQuick(const std::string& pattern, WIN32_FIND_DATAA& data) {
    HANDLE find = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) return find;
    return FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
}

std::vector<ListedFile> ListDataFiles(const std::string& prefix) {
    std::vector<ListedFile> files;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstQuick(prefix + "result_*.json", data));
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

ScopedFile OpenToRead(const std::string& path) {
    return ScopedFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

// At most `most` bytes from the start of the file, in one read.
bool ReadStart(HANDLE file, std::size_t most, std::string& bytes) {
    bytes.resize(most);
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr)) return false;
    bytes.resize(read);
    return true;
}

// A data file or the index is small: one open, one read of the size it has now, one close. The
// C library's buffered file costs several more calls per file, which a folder of ten thousand
// files on a share or under Wine feels. Anyone may write the folder: a file larger than
// `largest` is not read at all.
bool ReadSmallFile(const std::string& path, std::uint64_t largest, std::string& bytes) {
    const ScopedFile file = OpenToRead(path);
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > largest) return false;
    return ReadStart(file.Get(), static_cast<std::size_t>(size.QuadPart), bytes);
}

// A data file in one read of the size the listing gave and one byte more, into a buffer each
// reading thread keeps: under Wine asking a file's size costs as much as reading it. A file that
// grew since the listing is read again whole.
IndexedFile ReadDataFile(const std::string& prefix, const ListedFile& listed, std::string& text) {
    constexpr std::uint64_t kLargestDataFile = 64 * 1024 * 1024;
    bool read = false;
    if (listed.size < kLargestDataFile) {
        const ScopedFile file = OpenToRead(prefix + listed.name);
        read = file && ReadStart(file.Get(), static_cast<std::size_t>(listed.size) + 1, text);
    }
    if (read && text.size() > listed.size) read = ReadSmallFile(prefix + listed.name, kLargestDataFile, text);
    if (!read) return {listed, {listed.name, std::nullopt, "the file cannot be read"}, false};
    return {listed, ReadHistoryEntry(listed.name, text), true};
}

// The files the index could not answer for (their entries still without a name) are read on
// four threads: a file's time goes mostly to waiting for the file system (Wine's server, a
// share), which several requests in flight at once hide, and the rest to parsing.
void ReadUnindexed(const std::string& prefix, std::vector<IndexedFile>& files) {
    std::vector<IndexedFile*> pending;
    for (IndexedFile& f : files) {
        if (f.entry.fileName.empty()) pending.push_back(&f);
    }
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        std::string text;
        for (std::size_t i = next++; i < pending.size(); i = next++) {
            *pending[i] = ReadDataFile(prefix, pending[i]->file, text);
        }
    };
    if (pending.size() < 64) {
        work();
        return;
    }
    constexpr std::size_t kHelpers = 3;
    std::exception_ptr failures[kHelpers];
    std::vector<std::thread> helpers;
    auto joinAll = [&] {
        for (std::thread& helper : helpers) helper.join();
    };
    try {
        for (std::size_t h = 0; h < kHelpers; ++h) {
            helpers.emplace_back([&, h] {
                try {
                    work();
                } catch (...) {
                    failures[h] = std::current_exception();
                    next = pending.size();
                }
            });
        }
        work();
    } catch (...) {
        next = pending.size();
        joinAll();
        throw;
    }
    joinAll();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

// A program that ended while it wrote the index (a crash, a switched-off PC) leaves its
// temporary file behind; the next writer removes those. Another PC's file that is only being
// written is younger than IsLeftOverIndexTemporary allows.
void RemoveLeftOverTemporaries(const std::string& prefix) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t nowUnits = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    WIN32_FIND_DATAA data;
    ScopedFind find(FindFirstFileA((prefix + kIndexTemporaryPrefix + "*.tmp").c_str(), &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = prefix + data.cFileName;
        std::string start;
        {
            const ScopedFile file = OpenToRead(path);
            if (!file || !ReadStart(file.Get(), IndexTemporaryBytesToCheck(), start)) continue;
        }
        const std::uint64_t written =
            (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
        // A file that cannot be removed (open elsewhere, removed by another PC first) is left
        // for the next writer: it costs only its room.
        if (IsLeftOverIndexTemporary(data.cFileName, written, nowUnits, start)) DeleteFileA(path.c_str());
    } while (FindNextFileA(find.Get(), &data));
}

// Many PCs may write the index of one shared folder at once: each writes a file of its own
// and puts it in place in one step, so a reader sees a whole index, an older one or none.
// An index that cannot be written costs only time: the next fill reads the files again.
void WriteIndex(const std::string& prefix, const std::vector<IndexedFile>& files) {
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(prefix.c_str(), kIndexTemporaryPrefix, 0, temporary)) return;
    try {
        WriteWholeFile(temporary, EncodeHistoryIndex(files));
        if (MoveFileExA(temporary, (prefix + kHistoryIndexFileName).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            RemoveLeftOverTemporaries(prefix);
            return;
        }
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
    // The index is read and decoded on a second thread while this one lists the folder: both
    // take about as long for a large folder (the listing waits on the file system, the index
    // on the processor), and one does not need the other until both are done.
    std::vector<IndexedFile> index;
    std::exception_ptr indexFailure;
    std::thread indexReader([&prefix, &index, &indexFailure] {
        try {
            std::string indexBytes;
            // An index that cannot be read or used is no index: the files are read and a new one written.
            if (ReadSmallFile(prefix + kHistoryIndexFileName, kLargestHistoryIndex, indexBytes)) {
                index = DecodeHistoryIndex(indexBytes);
            }
        } catch (...) {
            indexFailure = std::current_exception();
        }
    });
    std::vector<ListedFile> listing;
    try {
        listing = ListDataFiles(prefix);
    } catch (...) {
        indexReader.join();
        throw;
    }
    indexReader.join();
    if (indexFailure) std::rethrow_exception(indexFailure);
    HistoryRefresh refresh = RefreshHistory(listing, std::move(index), [](const ListedFile& f) {
        return IndexedFile{f, HistoryEntry{}, true};  // read below, with the others
    });
    ReadUnindexed(prefix, refresh.files);
    if (refresh.indexChanged) WriteIndex(prefix, refresh.files);
    entries.reserve(refresh.files.size());
    for (IndexedFile& f : refresh.files) entries.push_back(std::move(f.entry));
    return entries;
}
