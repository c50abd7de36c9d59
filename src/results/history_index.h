#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "results/pass_history.h"

// The index of a results folder: every data file read before, by name, size and time of its
// last change, with what the reading gave. It lets the list fill without reading ten thousand
// files again, and it never decides what the folder holds: the folder's listing does, every
// time. A file the listing no longer has is dropped; a file it has that the index does not
// know by the same name, size and time is read.

constexpr const char* kHistoryIndexFileName = "Lurkmark results.index";
// The most of an index that is read: some two hundred thousand passes (about 290 bytes each;
// a lab of 50 PCs fills 28 MB in a year). A larger file is taken for no index, and the
// folder's files are read instead.
constexpr std::uint64_t kLargestHistoryIndex = 64 * 1024 * 1024;
// A new index is written to a temporary file of this prefix (lrkXXXX.tmp) beside it first.
constexpr const char* kIndexTemporaryPrefix = "lrk";

// A data file as the folder lists it.
struct ListedFile {
    std::string name;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0;  // in the file system's own units
};

struct IndexedFile {
    ListedFile file;
    HistoryEntry entry;
    // false for a file that could not be opened at all: shown, but left out of the index, as
    // it may be there the next time.
    bool keep = true;
};

// The index file's bytes: the files it keeps, then a check sum over them.
std::string EncodeHistoryIndex(const std::vector<IndexedFile>& files);
// The header and records given, with the check sum over them added: a whole index as far as
// the sum goes.
std::string SealHistoryIndex(std::string body);
// Nothing for bytes that are not a whole index of this version (another program's file, one
// cut short, changed bytes): the folder is then read as if there were no index.
std::vector<IndexedFile> DecodeHistoryIndex(const std::string& bytes);

struct HistoryRefresh {
    std::vector<IndexedFile> files;  // one per listed file, in the listing's order
    bool indexChanged = false;       // what the index should keep differs from the index given
};

// read: reads one listed file the index does not answer for.
HistoryRefresh RefreshHistory(const std::vector<ListedFile>& listing, std::vector<IndexedFile> index,
                              const std::function<IndexedFile(const ListedFile&)>& read);

// Whether a file of the results folder is an index's temporary file that a program ended before
// it could put it in place: named as ours, empty or begun as an index, and last written more
// than a day before now (times in the file system's units of 100 ns), so that a file another PC
// is writing at this moment, whatever its clock says, is never taken.
bool IsLeftOverIndexTemporary(const std::string& name, std::uint64_t lastWrite, std::uint64_t now,
                              const std::string& firstBytes);
// How many bytes of a file IsLeftOverIndexTemporary needs to see.
std::size_t IndexTemporaryBytesToCheck();
