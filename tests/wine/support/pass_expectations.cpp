#include "support/pass_expectations.h"

#include <windows.h>
#include <cpuid.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "platform/scoped_win.h"

namespace wt {

namespace {

std::string Between(const std::string& text, const std::string& before, const std::string& after) {
    const std::size_t start = text.find(before);
    if (start == std::string::npos) throw std::runtime_error("the report lacks " + before);
    const std::size_t from = start + before.size();
    const std::size_t end = text.find(after, from);
    if (end == std::string::npos) throw std::runtime_error("the report lacks " + after);
    return text.substr(from, end - from);
}

std::string Info(const std::string& label, const std::string& value) {
    return "   <FONT size=2><b>" + label + "</b> " + value + "</FONT><br>";
}

std::string ProductName() {
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", 0, KEY_READ,
                      key.Receive()) != ERROR_SUCCESS) {
        return "";
    }
    char value[256] = {};
    DWORD size = sizeof value;
    if (RegQueryValueExA(key.Get(), "ProductName", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS) {
        return "";
    }
    return value;
}

std::string DecimalSeparator() {
    char text[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text);
    return text;
}

std::string WithSeparator(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string s = text;
    const std::size_t point = s.find('.');
    if (point != std::string::npos) s.replace(point, 1, DecimalSeparator());
    return s;
}

std::string MemoryText() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    const unsigned long long bytes = status.ullTotalPhys;
    const std::size_t digits = std::to_string(bytes).size();
    if (digits >= 11) return std::to_string(bytes / 1073741824ull) + "GB";
    if (digits == 10) return WithSeparator(bytes / 1073741824.0, 1) + " GB ";
    if (digits >= 8) return WithSeparator(bytes / 1048576.0, 2) + " MB ";
    return "";
}

std::string ProcessorName() {
    unsigned regs[12] = {};
    for (unsigned leaf = 0; leaf < 3; ++leaf) {
        __get_cpuid(0x80000002u + leaf, &regs[leaf * 4], &regs[leaf * 4 + 1], &regs[leaf * 4 + 2], &regs[leaf * 4 + 3]);
    }
    char brand[48];
    std::memcpy(brand, regs, sizeof brand);
    return std::string(brand, strnlen(brand, sizeof brand));
}

}  // namespace

std::string Joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

void Append(Lines& to, const Lines& more) { to.insert(to.end(), more.begin(), more.end()); }

std::string StartTimeNamedIn(const std::string& report) {
    return Between(report, "   <FONT size=2>The benchmark started at ", "</FONT><br>\r\n");
}

std::string CpuSpeedNamedIn(const std::string& report) {
    return Between(report, "<b>CPU speed:</b> ", " MHz</FONT><br>\r\n");
}

std::string StampOf(const std::string& startTime) {
    std::string stamp = startTime;
    for (char& c : stamp) {
        if (std::strchr(":./-\\ ", c)) c = '_';
    }
    return stamp;
}

MachineFacts ThisMachine(const std::string& cpuSpeed, const std::string& sound) {
    return {ProductName(), MemoryText(), ProcessorName(), cpuSpeed, sound};
}

Lines ReportStart(PassMode mode, const std::string& startTime, const MachineFacts& machine,
                  const std::string& comment) {
    Lines lines = {
        "<html>",
        "<head>",
        "<title>Lurkmark - www.quenwick.example</title>",
        "<style type=\"text/css\">",
        "<!--",
        ".style4 {",
        "\tcolor: #0066FF;",
        "\tfont-weight: bold;",
        "}",
        ".style5 {color: #990000}",
        ".style6 {color: #0066FF}",
        ".style7 {",
        "font-size: 36px;",
        "font-weight: bold;)",
        "}",
        "-->",
        "</style>",
        "</head>",
        "<body>",
        "<p align=\"center\" class=\"style7\">Lurkmark</p><br>",
        "   <FONT size=2>The benchmark started at " + startTime + "</FONT><br>",
        mode == PassMode::Interactive ? "<p align=\"left\"><span class=\"style4\">System Information<br></span>"
                                      : "<span class=\"style4\">System Information<br></span>",
        Info("Operating system:", machine.os),
    };
    if (!machine.memory.empty()) lines.push_back(Info("System memory:", machine.memory));
    lines.push_back(Info("CPU:", machine.cpu));
    lines.push_back(Info("CPU speed:", machine.cpuSpeed + " MHz"));
    lines.push_back(Info("Sound system:", machine.sound));
    if (!comment.empty()) {
        lines.push_back("<FONT size=2><span class=\"style6\">Comment:</span> " + comment + "</FONT><br>");
    }
    lines.push_back("<hr>");
    return lines;
}

Lines ReportSection(PassMode mode, const std::string& label, const PassCaptions& captions, const std::string& score) {
    Lines lines;
    if (!label.empty()) lines.push_back("<BR><B><FONT size=5>Resolution: " + label + "</FONT></B><BR>");
    lines.push_back("Demo: " + captions.demo + "<br>");
    for (const std::string* caption :
         {&captions.shader, &captions.aspect, &captions.antialiasing, &captions.filtering, &captions.boost}) {
        lines.push_back(*caption + "<br>");
    }
    lines.push_back(score.empty() ? "<span class=\"style5\"><b>Score = No Score.</b></span><br>"
                                  : "<span class=\"style5\"><b>Score = " + score + " FPS</b></span><br>");
    if (mode == PassMode::Batch) lines.push_back("<br><HR>");
    return lines;
}

Lines ReportClosing(PassMode mode) {
    const std::string notice = "Lurkmark \xA9 2006-2026 the Quenwick Lurkmark authors";
    return {"<P></P><P></P>", mode == PassMode::Interactive
                                  ? "<CENTER>" + notice + "</CENTER><BR></BODY></HTML>"
                                  : "<CENTER><FONT size=2>" + notice + "</FONT></CENTER><BR></BODY></HTML>"};
}

std::string StandInScore(double speed, int width, int height, const Quality& q) {
    double fps = speed * std::sqrt(640.0 * 480.0 / (width * height));
    fps /= (1 + 0.15 * q.shaderLevel) * (1 + 0.1 * q.multiSamples) * (1 + 0.01 * q.anisotropy);
    if (q.boost) fps *= 0.9;
    if (q.wide) fps *= 0.97;
    char text[32];
    std::snprintf(text, sizeof text, "%3.1f", fps);
    return text;
}

Lines DebugHead(const std::string& version, const AppPaths& paths) {
    const std::string rule(46, '=');
    return {rule,
            "Quenwick Lurkmark debug information",
            rule,
            "",
            "Benchmark version: " + version,
            "Bench Path: " + paths.BenchDir,
            "Game Path: " + paths.GamePath + "\\",
            "Demos Path: " + paths.DemosPath,
            "CFG Path: " + paths.CfgPath,
            "",
            "Collecting settings information -------------------------"};
}

Lines DebugMachine(const std::string& startTime, const MachineFacts& machine) {
    Lines lines = {"Start time: " + startTime, "", "Collecting Computer Information -------------------------"};
    if (!machine.memory.empty()) lines.push_back("System memory: " + machine.memory);
    lines.push_back("CPU: " + machine.cpu);
    lines.push_back("CPU speed: " + machine.cpuSpeed + " MHz");
    lines.push_back("Sound system: " + machine.sound);
    return lines;
}

Lines DebugRunStart(const std::string& caption) { return {"", "START", caption}; }

}  // namespace wt
