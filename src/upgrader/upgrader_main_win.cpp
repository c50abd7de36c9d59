// The upgrader: started by the program after an update has been downloaded and verified, it
// waits until the program has ended, puts exactly the listed files in place, each only when
// its bytes still have the published SHA-256, and starts the program again. Plain Win32 and
// C-style code: it carries no C++ runtime, so it stays small inside every copy of the program.
#include <windows.h>
#include <shellapi.h>

#include "platform/folder_probe_win.h"
#include "platform/maker_public_key.h"
#include "platform/sha256_win.h"
#include "platform/system_library_win.h"
#include "upgrader/signed_information.h"
#include "upgrader/upgrader_input.h"
#include "upgrader/version_order.h"

namespace {

const char* const kCaption = "Lurkmark Upgrader";
// How long the program may take to end after handing over.
const DWORD kProgramEndLimitMs = 60000;
// How long an external setup program may run.
const DWORD kSetupLimitMs = 60 * 60 * 1000;
// A list of more is not one the program wrote.
const DWORD kMaxListBytes = 1024 * 1024;
// Update files are read whole to check and copy them in one go.
const DWORD kMaxFileBytes = 512u * 1024 * 1024;
const int kReportMax = 4096;

// A bounded text for the closing box.
struct Report {
    char text[kReportMax];
    int length;
};

void Append(Report& report, const char* text) {
    while (*text && report.length < kReportMax - 1) report.text[report.length++] = *text++;
    report.text[report.length] = '\0';
}

void AppendLine(Report& report, const char* a, const char* b) {
    Append(report, "\r\n");
    Append(report, a);
    Append(report, b);
}

// target := a followed by b; a may be target itself.
bool Join(char* target, int capacity, const char* a, const char* b) {
    int n = 0;
    while (a[n]) {
        if (n >= capacity - 1) return false;
        target[n] = a[n];
        ++n;
    }
    for (; *b; ++b) {
        if (n >= capacity - 1) return false;
        target[n++] = *b;
    }
    target[n] = '\0';
    return true;
}

bool SameText(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

// WinExec returns only once the started program waits for its first message (or after 30
// seconds): wait for one timer message at once, so that the program can end without delay.
void AnnounceReady() {
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, nullptr);
    MSG msg;
    GetMessageA(&msg, nullptr, 0, 0);
    KillTimer(nullptr, timer);
}

// The program's process, opened while the program still waits for this upgrader to start (so
// that its id cannot have passed to another process yet); null when it has ended already.
HANDLE OpenProgramProcess(const UpgraderArguments& args) {
    return args.programProcessId ? OpenProcess(SYNCHRONIZE, FALSE, args.programProcessId) : nullptr;
}

// Waits on the program's own process; its file may stay locked a moment longer, so then on
// the file, briefly. False when the program did not end in time.
bool WaitForProgramEnd(HANDLE process, const UpgraderArguments& args) {
    if (process && WaitForSingleObject(process, kProgramEndLimitMs) != WAIT_OBJECT_0) return false;
    for (int tries = 0; tries < 100; ++tries) {
        HANDLE file = CreateFileA(args.programPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        const DWORD error = GetLastError();
        // A read-only program file is not a running one.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_ACCESS_DENIED) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

// Starts this upgrader again with elevation (the system asks the user) and waits for it.
// False when the user declined or it could not start.
bool RunElevated(const char* arguments, DWORD* exitCode) {
    char self[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    if (n == 0 || n >= sizeof self) return false;
    char parameters[kUpgraderTextMax * 2];
    if (!Join(parameters, sizeof parameters, "E", arguments)) return false;
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "runas";
    info.lpFile = self;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info) || !info.hProcess) return false;
    WaitForSingleObject(info.hProcess, INFINITE);  // it waits for everything with limits of its own
    GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hProcess);
    return true;
}

// The whole file in memory: the bytes that are hashed are the bytes written.
struct FileBytes {
    unsigned char* data;
    DWORD size;
};

bool ReadWhole(const char* path, DWORD limit, FileBytes* out) {
    out->data = nullptr;
    out->size = 0;
    // Nobody may write the file while it is read.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= limit;
    if (ok) {
        out->size = static_cast<DWORD>(size.QuadPart);
        out->data = static_cast<unsigned char*>(HeapAlloc(GetProcessHeap(), 0, out->size + 1));
        DWORD read = 0;
        ok = out->data && ReadFile(file, out->data, out->size, &read, nullptr) && read == out->size;
        if (out->data) out->data[out->size] = 0;
    }
    CloseHandle(file);
    if (!ok && out->data) HeapFree(GetProcessHeap(), 0, out->data);
    if (!ok) out->data = nullptr;
    return ok;
}

bool WriteWhole(const char* path, const FileBytes& bytes) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data, bytes.size, &written, nullptr) && written == bytes.size &&
                    FlushFileBuffers(file);
    return CloseHandle(file) && ok;
}

enum ApplyResult { kApplied, kHashDiffers, kNotWritten };

// Reads the downloaded file, checks its hash and writes those same bytes over the target.
// A read-only target is made writable first; a failure leaves the old file as it was.
ApplyResult Apply(const char* downloads, const char* folder, const UpgradeEntry& entry) {
    char temporary[kUpgraderTextMax];
    char target[kUpgraderTextMax];
    char fresh[kUpgraderTextMax];
    if (!Join(temporary, sizeof temporary, downloads, entry.temporaryName) ||
        !Join(target, sizeof target, folder, entry.targetName) || !Join(fresh, sizeof fresh, target, ".uNEW")) {
        return kNotWritten;
    }
    FileBytes bytes;
    if (!ReadWhole(temporary, kMaxFileBytes, &bytes)) return kNotWritten;
    unsigned char digest[kSha256DigestBytes];
    char hex[65];
    const bool hashed = Sha256Of(bytes.data, bytes.size, digest);
    if (hashed) DigestToHex(digest, hex);
    ApplyResult result = kHashDiffers;
    if (hashed && SameText(hex, entry.sha256)) {
        result = kNotWritten;
        if (WriteWhole(fresh, bytes)) {
            SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
            if (MoveFileExA(fresh, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                SetFileAttributesA(target, entry.setup ? FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE
                                                       : FILE_ATTRIBUTE_ARCHIVE);
                result = kApplied;
            } else {
                DeleteFileA(fresh);
            }
        }
    }
    HeapFree(GetProcessHeap(), 0, bytes.data);
    // Applied or not, the download has done its part; one that differs is not kept either.
    SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(temporary);
    return result;
}

HANDLE Start(const char* path, const char* restartArgument, const char* folder) {
    char commandLine[kUpgraderTextMax * 2 + 4];
    char quoted[kUpgraderTextMax + 3];
    if (!Join(quoted, sizeof quoted, "\"", path) || !Join(quoted, sizeof quoted, quoted, "\" ") ||
        !Join(commandLine, sizeof commandLine, quoted, restartArgument)) {
        return nullptr;
    }
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(path, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

// "{own path without .exe}.{extension}": written by the program beside this upgrader ("lst":
// the list of files, "inf": the maker's signed information file as the program received it).
bool SiblingPath(char* path, DWORD capacity, const char extension[4]) {
    const DWORD n = GetModuleFileNameA(nullptr, path, capacity);
    if (n < 4 || n + 1 >= capacity) return false;
    path[n - 3] = extension[0];
    path[n - 2] = extension[1];
    path[n - 1] = extension[2];
    return true;
}

// What the program checked and handed over: this upgrader's own file, its list and the signed
// information file. On Windows a running program's file can be renamed and another put in its
// place unless someone holds it open without delete sharing; so they are held, readable but
// not writable, renamable or deletable, from before the program lets go of them until the
// elevated copy, started from this same file, has ended.
const int kHeldFiles = 3;

struct HandOverHold {
    HANDLE files[kHeldFiles];
    bool complete;  // every file is held
};

void NoHold(HandOverHold* hold) {
    for (int i = 0; i < kHeldFiles; ++i) hold->files[i] = INVALID_HANDLE_VALUE;
    hold->complete = false;
}

void Hold(HandOverHold* hold) {
    const char extensions[kHeldFiles][4] = {"exe", "lst", "inf"};
    hold->complete = true;
    for (int i = 0; i < kHeldFiles; ++i) {
        char path[MAX_PATH + 1];
        hold->files[i] = SiblingPath(path, sizeof path, extensions[i])
                             ? CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
        if (hold->files[i] == INVALID_HANDLE_VALUE) hold->complete = false;
    }
}

void Release(HandOverHold* hold) {
    for (int i = 0; i < kHeldFiles; ++i) {
        if (hold->files[i] != INVALID_HANDLE_VALUE) CloseHandle(hold->files[i]);
    }
    NoHold(hold);
}

enum ListCheck { kListSigned, kListNotSigned, kListNotNewer };

// The elevated copy trusts nothing the user could have changed since the program checked
// the downloads: every line of the list must be one the maker signed, in the information file
// checked here with the key this upgrader carries, and that file must offer a version newer
// than the program this upgrader came with. Each file's bytes are checked against that hash
// again when applied.
ListCheck CheckListAgainstSignedInformation(const char* list, const UpgraderArguments& args) {
    char infoPath[MAX_PATH + 1];
    FileBytes info;
    if (!SiblingPath(infoPath, sizeof infoPath, "inf") || !ReadWhole(infoPath, kMaxListBytes, &info)) return kListNotSigned;
    const char* text = reinterpret_cast<const char*>(info.data);
    int messageLength = 0;
    unsigned char signature[kInformationSignatureBytes];
    unsigned char digest[kSha256DigestBytes];
    bool signedByMaker = SplitSignedInformation(text, static_cast<int>(info.size), &messageLength, signature) &&
                         Sha256Of(text, static_cast<std::size_t>(messageLength), digest) &&
                         VerifyP256Signature(kMakerPublicKey, digest, signature);
    const char* programFileName = args.programPath;
    for (const char* p = args.programPath; *p; ++p) {
        if (*p == '\\') programFileName = p + 1;
    }
    const char* cursor = list;
    char downloads[kUpgraderTextMax];
    UpgradeEntry entry;
    UpgradeListLine line = ReadDownloadFolder(&cursor, downloads) ? kListEntry : kListMalformed;
    while (signedByMaker && line != kListMalformed && (line = NextUpgradeEntry(&cursor, &entry)) == kListEntry) {
        signedByMaker = SignedMessageLists(text, messageLength, entry, programFileName);
    }
    const bool newer = signedByMaker && OffersNewerVersion(text, messageLength, kProgramVersion);
    HeapFree(GetProcessHeap(), 0, info.data);
    if (!signedByMaker || line != kListEnd) return kListNotSigned;
    return newer ? kListSigned : kListNotNewer;
}

void ShowBox(const char* text, UINT icon) { MessageBoxA(nullptr, text, kCaption, MB_OK | icon); }

// Applies the list and runs an external setup; a report of what failed goes into `failed`.
// False when nothing could be done at all (the box has been shown).
bool ApplyList(HANDLE program, const UpgraderArguments& args, const char* arguments, HandOverHold* hold,
               Report& failed) {
    char listPath[MAX_PATH + 1];
    FileBytes list;
    if (!SiblingPath(listPath, sizeof listPath, "lst") || !ReadWhole(listPath, kMaxListBytes, &list)) {
        ShowBox("The list of update files is missing: Lurkmark was not updated.", MB_ICONERROR);
        return false;
    }
    if (!WaitForProgramEnd(program, args)) {
        HeapFree(GetProcessHeap(), 0, list.data);
        ShowBox("Lurkmark did not end within a minute: it was not updated.", MB_ICONERROR);
        return false;
    }
    // Program files in a protected folder: an elevated copy does the work (the system asks
    // the user); the program itself restarts from here, without elevation.
    if (!args.elevated && !FolderAcceptsNewFiles(args.programFolder)) {
        HeapFree(GetProcessHeap(), 0, list.data);
        // The elevated copy must start from the file the program checked.
        if (!hold->complete) {
            ShowBox("The update files could not be kept unchanged while administrator rights are asked for:\r\n"
                    "Lurkmark was not updated.",
                    MB_ICONERROR);
            return false;
        }
        DWORD code = 1;
        const bool ran = RunElevated(arguments, &code);
        Release(hold);
        DeleteFileA(listPath);
        // The elevated copy has shown its own report of any failure.
        if (!ran) {
            ShowBox("Lurkmark's folder can only be changed with administrator rights, which were not given:\r\n"
                    "Lurkmark was not updated.",
                    MB_ICONERROR);
        }
        return ran && code == 0;
    }

    const ListCheck check =
        args.elevated ? CheckListAgainstSignedInformation(reinterpret_cast<const char*>(list.data), args) : kListSigned;
    if (check != kListSigned) {
        HeapFree(GetProcessHeap(), 0, list.data);
        if (check == kListNotSigned) {
            ShowBox("The update files were changed after Lurkmark checked them, or are not the ones the maker signed:\r\n"
                    "Lurkmark was not updated.",
                    MB_ICONERROR);
        } else {
            Report box;
            box.length = 0;
            Append(box, "This update is not newer than the installed Lurkmark (version ");
            Append(box, kProgramVersion);
            Append(box, "):\r\nLurkmark was not updated.");
            ShowBox(box.text, MB_ICONERROR);
        }
        return false;
    }
    Release(hold);  // this copy does the work itself, with the user's own rights
    char setup[kUpgraderTextMax] = "";
    char downloads[kUpgraderTextMax];
    const char* cursor = reinterpret_cast<const char*>(list.data);
    UpgradeEntry entry;
    UpgradeListLine line = ReadDownloadFolder(&cursor, downloads) ? kListEntry : kListMalformed;
    if (!downloads[0]) Join(downloads, sizeof downloads, args.programFolder, "");
    while (line != kListMalformed && (line = NextUpgradeEntry(&cursor, &entry)) != kListEnd) {
        if (line == kListMalformed) break;
        const ApplyResult result = Apply(downloads, args.programFolder, entry);
        if (result == kHashDiffers) AppendLine(failed, entry.targetName, " (not the published file: not replaced)");
        if (result == kNotWritten) AppendLine(failed, entry.targetName, " (could not be written)");
        if (result == kApplied && entry.setup) Join(setup, sizeof setup, args.programFolder, entry.targetName);
    }
    if (line == kListMalformed) AppendLine(failed, "(the rest of the list is unreadable)", "");
    HeapFree(GetProcessHeap(), 0, list.data);
    DeleteFileA(listPath);

    if (args.externalSetup && setup[0]) {
        HANDLE process = Start(setup, args.restartArgument, args.programFolder);
        if (process) {
            WaitForSingleObject(process, kSetupLimitMs);
            CloseHandle(process);
        } else {
            AppendLine(failed, setup, " (could not be started)");
        }
        SetFileAttributesA(setup, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(setup);
    }
    return true;
}

void ShowFailures(const Report& failed) {
    if (failed.length == 0) return;
    Report box;
    box.length = 0;
    Append(box, "These files of Lurkmark were not updated:");
    Append(box, failed.text);
    ShowBox(box.text, MB_ICONWARNING);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // It runs from a temporary folder, elevated on protected installs: nothing is loaded from there.
    RestrictLibrarySearch();
    const char* arguments = SkipProgramName(GetCommandLineA());
    UpgraderArguments args;
    if (!ParseUpgraderCommandLine(arguments, &args)) {
        ShowBox("This program completes updates of Lurkmark.\r\n"
                "Lurkmark starts it by itself once an update has been downloaded.",
                MB_ICONINFORMATION);
        return 0;
    }
    Report failed;
    failed.length = 0;
    failed.text[0] = '\0';
    // The elevated copy starts once the program has ended: its id may name another process by now.
    HANDLE program = args.elevated ? nullptr : OpenProgramProcess(args);
    HandOverHold hold;
    NoHold(&hold);
    if (args.elevated) {
        const bool done = ApplyList(program, args, arguments + 1, &hold, failed);
        if (program) CloseHandle(program);
        ShowFailures(failed);
        return done && failed.length == 0 ? 0 : 1;
    }
    // The program holds the files until this announcement: holding them first leaves no gap.
    Hold(&hold);
    AnnounceReady();
    const bool done = ApplyList(program, args, arguments, &hold, failed);
    Release(&hold);
    if (program) CloseHandle(program);
    ShowFailures(failed);
    HANDLE restarted = Start(args.programPath, args.restartArgument, args.programFolder);
    if (restarted) {
        CloseHandle(restarted);
    } else {
        Report box;
        box.length = 0;
        Append(box, "Lurkmark could not be started again:\r\n");
        Append(box, args.programPath);
        ShowBox(box.text, MB_ICONERROR);
    }
    return done && failed.length == 0 && restarted ? 0 : 1;
}
