// A stand-in for the game "prey.exe": it does what the benchmark relies on and nothing more.
// See README.md beside this file for what it reads, writes and how tests choose its failures.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "frame_pacing.h"
#include "gl_frames.h"

namespace {

using CvarMap = std::map<std::string, std::string>;

struct Control {
    std::string mode = "normal";  // normal, nolog, noresult, crash, crashnolog, hang
    std::string score;            // printed in place of the frame rate when set
    DWORD delayMs = 0;            // how long the demo takes to play
    std::string only;             // "WxH": mode and score apply to runs at that size alone
    std::string stampsFile;       // start and end times of each run are appended here
    std::string holdFile;         // the demo plays on until this file exists
    // "KEY@WxH VALUE" pairs: applied over the others for a run at that size alone.
    std::vector<std::pair<std::string, std::string>> sized;
    unsigned logMegabytes = 0;    // the console log grows to about this size before its own lines
    std::string window;           // "WxH": the window the game opens instead of the size asked
    long stopAt = 0;              // the demo stops after this many frames (0: plays whole)
    std::string fps;              // "refresh": the frame rate is the display's refresh rate (vsync)
    // "KEY#N VALUE" pairs: applied over all others for the Nth start of the game alone.
    std::vector<std::pair<std::string, std::string>> numbered;
    std::string pace;             // frames paced as frame_pacing.h describes, timed by the game's clock
    std::string glDriver;         // "ignore": loads opengl32 whatever r_glDriver names
};

struct Demo {
    int frames = 0;
    double speed = 0;  // frames per second at 640 x 480, lowest quality
};

std::string GameFolder() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string exe(path, n);
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        if (word.size() >= 2 && word.front() == '"' && word.back() == '"') word = word.substr(1, word.size() - 2);
        words.push_back(word);
    }
    return words;
}

std::vector<std::string> Lines(const std::string& text, char extraSeparator) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == extraSeparator) {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    lines.push_back(line);
    return lines;
}

// "key value" lines; the environment variable separates them by ';'.
void ApplyControl(const std::string& text, Control& control) {
    for (const std::string& line : Lines(text, ';')) {
        const std::vector<std::string> w = Words(line);
        if (w.size() < 2) continue;
        if (w[0].find('@') != std::string::npos) {
            control.sized.emplace_back(w[0], w[1]);
            continue;
        }
        if (w[0].find('#') != std::string::npos) {
            control.numbered.emplace_back(w[0], w[1]);
            continue;
        }
        if (w[0] == "mode") control.mode = w[1];
        if (w[0] == "score") control.score = w[1];
        if (w[0] == "delay") control.delayMs = static_cast<DWORD>(std::strtoul(w[1].c_str(), nullptr, 10));
        if (w[0] == "only") control.only = w[1];
        if (w[0] == "logsize") control.logMegabytes = static_cast<unsigned>(std::strtoul(w[1].c_str(), nullptr, 10));
        if (w[0] == "stamps") control.stampsFile = w[1];
        if (w[0] == "hold") control.holdFile = w[1];
        if (w[0] == "window") control.window = w[1];
        if (w[0] == "fps") control.fps = w[1];
        if (w[0] == "stopat") control.stopAt = std::strtol(w[1].c_str(), nullptr, 10);
        if (w[0] == "pace") control.pace = w[1];
        if (w[0] == "gldriver") control.glDriver = w[1];
    }
}

// Counts the starts of the game in a file beside it and applies the "KEY#N" pairs of this
// start; without such pairs nothing is counted.
void ApplyStartNumber(const std::string& gameFolder, Control& control) {
    if (control.numbered.empty()) return;
    const std::string counter = gameFolder + "prey_standin_starts.txt";
    std::string text;
    ReadFile(counter, text);
    const std::string start = std::to_string(std::atoi(text.c_str()) + 1);
    std::ofstream(counter, std::ios::binary | std::ios::trunc) << start;
    std::string pairs;
    for (const auto& [key, value] : control.numbered) {
        const std::size_t hash = key.find('#');
        if (key.substr(hash + 1) == start) pairs += key.substr(0, hash) + " " + value + ";";
    }
    control.numbered.clear();
    ApplyControl(pairs, control);
}

// The run's screen size picks its own failure: "only" first, then the "KEY@WxH" pairs.
void ApplySize(const std::string& size, Control& control) {
    if (!control.only.empty() && control.only != size) {
        control.mode = "normal";
        control.score.clear();
    }
    std::string pairs;
    for (const auto& [key, value] : control.sized) {
        const std::size_t at = key.find('@');
        if (key.substr(at + 1) == size) pairs += key.substr(0, at) + " " + value + ";";
    }
    control.sized.clear();
    ApplyControl(pairs, control);
}

// Plays on until the file exists, for at most a minute: a test decides when the demo ends.
void HoldUntil(const std::string& file) {
    for (int waited = 0; waited < 60000 && GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 20) {
        Sleep(20);
    }
}

const char* const kHangingHelperArgument = "+hanghelper";

// A second copy of this program that only waits: the process tree of a hung game is more than
// the game alone.
void StartHangingHelper() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" " + kHangingHelperArgument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
}

Control ReadControl(const std::string& gameFolder) {
    Control control;
    std::string text;
    if (ReadFile(gameFolder + "prey_standin.txt", text)) ApplyControl(text, control);
    if (const char* env = std::getenv("PREY_STANDIN")) ApplyControl(env, control);
    return control;
}

// Appends "start US" or "end US": the performance counter in microseconds, which is one
// clock for every process of the machine, so a measuring tool can set it against its own.
void Stamp(const std::string& file, const char* what) {
    if (file.empty()) return;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const long long us = static_cast<long long>(static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart));
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out << what << ' ' << us << "\r\n";
}

class Console {
public:
    void Print(const std::string& line) {
        text_ += line + "\n";
        std::printf("%s\n", line.c_str());
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

// Runs the set and seta commands of a config file; false when the file is missing.
bool Exec(const std::string& path, CvarMap& cvars, CvarMap& archived) {
    std::string text;
    if (!ReadFile(path, text)) return false;
    for (const std::string& line : Lines(text, '\0')) {
        const std::vector<std::string> w = Words(line);
        if (w.size() < 3 || (w[0] != "set" && w[0] != "seta")) continue;
        cvars[w[1]] = w[2];
        if (w[0] == "seta") archived[w[1]] = w[2];
    }
    return true;
}

std::string Cvar(const CvarMap& cvars, const std::string& name, const std::string& fallback) {
    const auto it = cvars.find(name);
    return it == cvars.end() ? fallback : it->second;
}

double CvarNumber(const CvarMap& cvars, const std::string& name, double fallback) {
    return std::atof(Cvar(cvars, name, std::to_string(fallback)).c_str());
}

// Our demos are "LURKDEMO 1" followed by "frames N" and "speed F"; any other file still plays,
// with figures drawn from its size.
Demo ReadDemo(const std::string& bytes) {
    Demo demo{400 + static_cast<int>(bytes.size() % 1000), 150.0};
    if (bytes.compare(0, 10, "LURKDEMO 1") != 0) return demo;
    for (const std::string& line : Lines(bytes, '\0')) {
        const std::vector<std::string> w = Words(line);
        if (w.size() < 2) continue;
        if (w[0] == "frames") demo.frames = std::atoi(w[1].c_str());
        if (w[0] == "speed") demo.speed = std::atof(w[1].c_str());
    }
    return demo;
}

// The present display mode's refresh rate, as a game held to vertical sync reaches it; 60
// where the display names none.
double RefreshRate() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) || mode.dmDisplayFrequency <= 1) return 60.0;
    return static_cast<double>(mode.dmDisplayFrequency);
}

void ScreenSize(const CvarMap& cvars, int& width, int& height) {
    static const int kModes[][2] = {{320, 240}, {400, 300}, {512, 384},  {640, 480},  {800, 600},
                                    {1024, 768}, {1152, 864}, {1280, 1024}, {1600, 1200}};
    const int mode = static_cast<int>(CvarNumber(cvars, "r_mode", 3));
    if (mode == -1) {
        width = static_cast<int>(CvarNumber(cvars, "r_customWidth", 720));
        height = static_cast<int>(CvarNumber(cvars, "r_customHeight", 486));
    } else {
        const int m = mode >= 0 && mode < 9 ? mode : 3;
        width = kModes[m][0];
        height = kModes[m][1];
    }
}

// The frame rate follows from the demo, the screen size and the quality settings alone.
double FrameRate(const Demo& demo, const CvarMap& cvars, int width, int height) {
    double fps = demo.speed * std::sqrt(640.0 * 480.0 / (std::max(width, 1) * std::max(height, 1)));
    fps /= 1.0 + 0.15 * CvarNumber(cvars, "r_shaderLevel", 0);
    fps /= 1.0 + 0.1 * CvarNumber(cvars, "r_multiSamples", 0);
    fps /= 1.0 + 0.01 * CvarNumber(cvars, "image_anisotropy", 0);
    if (Cvar(cvars, "image_useCompression", "1") == "0") fps *= 0.9;
    if (Cvar(cvars, "r_aspectRatio", "0") != "0") fps *= 0.97;
    return fps;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (char c : text) {
        if (c == '\n') out.put('\r');
        out.put(c);
    }
}

// The console log: with `logsize`, warnings the engine printed earlier fill it up to about
// that size ahead of this run's own lines.
void WriteLog(const std::string& path, const Console& console, const Control& control) {
    const std::string warning = "WARNING: Couldn't load image: textures/decals/bloodspray_03 (default used)\n";
    std::string text;
    const std::size_t size = static_cast<std::size_t>(control.logMegabytes) << 20;
    text.reserve(size + console.Text().size());
    while (text.size() + warning.size() + console.Text().size() < size) text += warning;
    WriteFile(path, text + console.Text());
}

void WritePreyconfig(const std::string& path, const CvarMap& archived) {
    std::string text = "// generated by the game, do not modify\n";
    for (const auto& [name, value] : archived) text += "seta " + name + " \"" + value + "\"\n";
    WriteFile(path, text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == kHangingHelperArgument) {
        for (;;) Sleep(INFINITE);
    }
    const std::string game = GameFolder();
    const std::string base = game + "base\\";
    Control control = ReadControl(game);
    Stamp(control.stampsFile, "start");
    Console console;
    CvarMap cvars;
    CvarMap archived;
    std::string demoName;

    // Command-line "+set" values win over the config files, so they are read first and applied last.
    CvarMap commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "+set" && i + 2 < argc) {
            commandLine[argv[i + 1]] = argv[i + 2];
            i += 2;
        } else if (arg == "+timedemoquit" && i + 1 < argc) {
            demoName = argv[++i];
        }
    }

    console.Print("Prey stand-in 1.0 (Lurkmark test game)");
    console.Print("----- Initializing File System -----");
    console.Print("Current search path: " + base);
    if (Exec(base + "preyconfig.cfg", cvars, archived)) console.Print("execing preyconfig.cfg");
    if (Exec(base + "autoexec.cfg", cvars, archived)) console.Print("execing autoexec.cfg");
    for (const auto& [name, value] : commandLine) cvars[name] = value;

    int width = 0;
    int height = 0;
    ScreenSize(cvars, width, height);
    ApplySize(std::to_string(width) + "x" + std::to_string(height), control);
    ApplyStartNumber(game, control);
    const bool logging = Cvar(cvars, "logFile", "0") == "1" || Cvar(cvars, "logFile", "0") == "2";
    // The renderer loads its GL library first, as the engine's GLimp_Init does; a library that
    // does not load ends the game.
    const std::string glDriver = control.glDriver == "ignore" ? "" : Cvar(cvars, "r_glDriver", "");
    const std::string glLibraryName = glDriver.empty() ? "opengl32" : glDriver;
    GlLibrary gl;
    const bool glLoaded = LoadGlLibrary(glLibraryName, gl);
    console.Print("...calling LoadLibrary( '" + glLibraryName + "' ): " + (glLoaded ? "succeeded" : "failed"));
    if (!glLoaded) {
        console.Print("GLimp_Init() could not load r_glDriver \"" + glLibraryName + "\"");
        if (logging) WriteLog(base + "qconsole.log", console, control);
        std::fflush(stdout);
        Stamp(control.stampsFile, "end");
        ExitProcess(1);
    }
    FramePacing pacing;
    const bool paced = !control.pace.empty() && ParsePacing(control.pace, pacing);
    if (!control.pace.empty() && !paced) console.Print("WARNING: pace \"" + control.pace + "\" is none of steady, spikes, slow");
    console.Print("...setting mode " + Cvar(cvars, "r_mode", "3") + ": " + std::to_string(width) + " " +
                  std::to_string(height) + " aspect " + Cvar(cvars, "r_aspectRatio", "0"));
    // A driver that refuses the mode leaves the game in a window of another size.
    if (!control.window.empty()) {
        std::sscanf(control.window.c_str(), "%dx%d", &width, &height);
    }
    console.Print("...created window @ 0,0 (" + std::to_string(width) + "x" + std::to_string(height) + ")");
    console.Print("r_shaderLevel " + Cvar(cvars, "r_shaderLevel", "0"));

    bool played = false;
    Demo demo;
    if (!demoName.empty()) {
        std::string bytes;
        if (ReadFile(base + "Demos\\" + demoName, bytes)) {
            demo = ReadDemo(bytes);
            played = true;
            console.Print("--------- Playing demo " + demoName + " ---------");
        } else {
            console.Print("Couldn't open demos/" + demoName);
        }
    }
    if (control.mode == "crashnolog") {
        // Dies as the demo starts, before any log or configuration is written.
        std::fflush(stdout);
        Stamp(control.stampsFile, "end");
        ExitProcess(0xC0000005);
    }
    if (control.delayMs > 0) Sleep(control.delayMs);
    if (!control.holdFile.empty()) HoldUntil(control.holdFile);

    if (control.mode == "hang") {
        // Stops in the middle of the demo and never ends, as a hung game does; a helper process
        // it started (as a game's crash reporter would be) hangs with it.
        if (logging) WriteLog(base + "qconsole.log", console, control);
        std::fflush(stdout);
        StartHangingHelper();
        for (;;) Sleep(INFINITE);
    }
    if (control.mode == "crash") {
        // Dies in the middle of the demo: the console so far, no saved configuration.
        if (logging) WriteLog(base + "qconsole.log", console, control);
        std::fflush(stdout);
        Stamp(control.stampsFile, "end");
        ExitProcess(0xC0000005);  // the exit code of an access violation
    }
    if (played) {
        console.Print("stopped playing " + demoName + ".");
        if (control.mode != "noresult") {
            if (control.stopAt > 0 && control.stopAt < demo.frames) demo.frames = static_cast<int>(control.stopAt);
            // Paced: the frames it swapped and the time they took, from its own clock.
            const double seconds = paced ? PlayPacedFrames(gl, width, height, pacing, demo.frames) : 0.0;
            const double fps = paced                     ? (seconds > 0 ? demo.frames / seconds : 0.0)
                               : control.fps == "refresh" ? RefreshRate()
                                                          : FrameRate(demo, cvars, width, height);
            char line[160];
            if (control.score.empty()) {
                std::snprintf(line, sizeof line, "%i frames rendered in %3.1f seconds = %3.1f fps", demo.frames,
                              demo.frames / fps, fps);
            } else {
                std::snprintf(line, sizeof line, "%i frames rendered in %3.1f seconds = %s fps", demo.frames,
                              demo.frames / fps, control.score.c_str());
            }
            console.Print(line);
        }
    }
    console.Print("Shutting down...");
    if (logging && control.mode != "nolog") WriteLog(base + "qconsole.log", console, control);
    WritePreyconfig(base + "preyconfig.cfg", archived);
    Stamp(control.stampsFile, "end");
    return 0;
}
