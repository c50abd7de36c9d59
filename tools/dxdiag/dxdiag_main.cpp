// Stand-in for "dxdiag.exe": for "/t FILE" it writes a chosen real report to FILE, so a pass
// can be tested with the reports of real machines. See README.md.
#include <windows.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// What Wine's own tool writes: the system section only, no display or sound device.
const char kSystemOnlyReport[] =
    "------------------\r\n"
    "System Information\r\n"
    "------------------\r\n"
    "Operating System: Windows 10 Pro 64-bit (10.0, Build 19045)\r\n"
    "        Language: English (Regional Setting: English)\r\n"
    "          Memory: 8192MB RAM\r\n";

std::string Trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The rest of the command line after "/t ", unquoted: the program passes the path unquoted,
// and it may hold blanks.
std::string ReportPathArgument(const std::string& commandLine) {
    std::string lower = commandLine;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t at = lower.find(" /t ");
    if (at == std::string::npos) return "";
    std::string path = Trim(commandLine.substr(at + 4));
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
    return path;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// LURK_DXDIAG_REPORT, else the first line of "dxdiag_report.txt" beside this program.
std::string ChosenReport() {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LURK_DXDIAG_REPORT", value, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return value;
    std::ifstream choice(ProgramFolder() + "dxdiag_report.txt");
    std::string line;
    if (choice && std::getline(choice, line)) return Trim(line);
    return "";
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main() {
    const std::string target = ReportPathArgument(GetCommandLineA());
    if (target.empty()) return 2;
    const std::string chosen = ChosenReport();
    if (chosen == "none") return 1;
    if (chosen.empty()) return WriteBytes(target, kSystemOnlyReport) ? 0 : 1;
    std::ifstream in(chosen, std::ios::binary);
    if (!in) return 1;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return WriteBytes(target, bytes) ? 0 : 1;
}
