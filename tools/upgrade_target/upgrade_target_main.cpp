#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string self(path, n);
    const std::string folder = self.substr(0, self.rfind('\\') + 1);

    std::string line = self.substr(folder.size()) + "|";
    bool hold = false;
    for (int i = 1; i < __argc; ++i) {
        line += (i > 1 ? " " : "") + std::string(__argv[i]);
        if (std::string(__argv[i]) == "/hold") hold = true;
        // As a program does that imports a library the usual way: searched from its own folder.
        if (std::string(__argv[i]) == "/load" && i + 1 < __argc) LoadLibraryA(__argv[i + 1]);
    }
    if (FILE* runs = std::fopen((folder + "runs.txt").c_str(), "ab")) {
        std::fprintf(runs, "%s\r\n", line.c_str());
        std::fclose(runs);
    }
    if (hold) {
        const std::string release = folder + "release";
        for (int waited = 0; waited < 60000 && GetFileAttributesA(release.c_str()) == INVALID_FILE_ATTRIBUTES;
             waited += 10) {
            Sleep(10);
        }
        // What version.txt holds in the program's last moment: an upgrader that touched the
        // folder while the program ran shows here, with no guess at how long to watch.
        if (FILE* version = std::fopen((folder + "version.txt").c_str(), "rb")) {
            char text[64] = {};
            const std::size_t length = std::fread(text, 1, sizeof text - 1, version);
            std::fclose(version);
            if (FILE* seen = std::fopen((folder + "seen at end.txt").c_str(), "wb")) {
                std::fwrite(text, 1, length, seen);
                std::fclose(seen);
            }
        }
    }
    return 0;
}
