#include "results/result_data.h"

#include <cmath>

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include "platform/cp1252_utf8.h"
#include "results/machine_checks.h"
#include "results/run_statistics.h"

namespace {

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

constexpr int kFormatVersion = 1;

double Rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

void Text(Writer& w, const std::string& cp1252) {
    const std::string utf8 = Cp1252ToUtf8(cp1252);
    w.String(utf8.c_str(), static_cast<rapidjson::SizeType>(utf8.size()));
}

void TextOrNull(Writer& w, const std::string& cp1252) {
    if (cp1252.empty()) {
        w.Null();
    } else {
        Text(w, cp1252);
    }
}

void Key(Writer& w, const char* key) { w.Key(key); }

void NumberOrNull(Writer& w, const std::optional<double>& value) {
    if (value) {
        w.Double(*value);
    } else {
        w.Null();
    }
}

const char* EndedName(RunEnd ended) {
    switch (ended) {
    case RunEnd::Scored: return "scored";
    case RunEnd::TimeLimit: return "timeLimit";
    case RunEnd::NoScore: break;
    }
    return "noScore";
}

// Frames and seconds are the run's figures only when its score stands: a run without one
// has nothing to measure by.
std::optional<double> SecondsOf(const RunRecord& run) {
    if (!run.score || run.evidence.secondsText.empty()) return std::nullopt;
    return std::strtod(run.evidence.secondsText.c_str(), nullptr);
}

std::optional<long> FramesOf(const RunRecord& run) { return run.score ? run.evidence.frames : std::nullopt; }

void WriteFlags(Writer& w, const std::vector<RunFlag>& flags) {
    w.StartArray();
    for (const RunFlag& flag : flags) {
        w.StartObject();
        Key(w, "code");
        Text(w, flag.code);
        Key(w, "text");
        Text(w, flag.text);
        w.EndObject();
    }
    w.EndArray();
}

// Optional: written only with the option on, so that a pass without it stays as before.
void WriteFrameTimes(Writer& w, const FrameTimeFigures& f, const std::string& file) {
    Key(w, "frameTimes");
    w.StartObject();
    Key(w, "frames");
    w.Int64(f.frames);
    const std::pair<const char*, double> fps[] = {
        {"averageFps", f.averageFps}, {"low1Fps", f.low1Fps}, {"low01Fps", f.low01Fps}};
    for (const auto& [key, value] : fps) {
        Key(w, key);
        w.Double(Rounded(value, 2));
    }
    const std::pair<const char*, double> ms[] = {
        {"p99Ms", f.p99Ms}, {"p999Ms", f.p999Ms}, {"worstMs", f.worstMs}, {"stddevMs", f.stddevMs}};
    for (const auto& [key, value] : ms) {
        Key(w, key);
        w.Double(Rounded(value, 3));
    }
    Key(w, "stutters");
    w.Int64(f.stutters);
    if (!file.empty()) {
        Key(w, "file");
        Text(w, file);
    }
    w.EndObject();
}

void WriteRun(Writer& w, const RunRecord& run) {
    w.StartObject();
    Key(w, "run");
    w.Int(run.run);
    Key(w, "warmUp");
    w.Bool(run.warmUp);
    Key(w, "ended");
    w.String(EndedName(run.ended));
    Key(w, "score");
    NumberOrNull(w, run.score);
    Key(w, "frames");
    if (const std::optional<long> frames = FramesOf(run)) {
        w.Int64(*frames);
    } else {
        w.Null();
    }
    Key(w, "seconds");
    NumberOrNull(w, SecondsOf(run));
    Key(w, "flags");
    WriteFlags(w, run.flags);
    if (run.frameTimes) WriteFrameTimes(w, *run.frameTimes, run.frameTimesFile);
    w.EndObject();
}

void WriteResolution(Writer& w, const ResolutionRecord& resolution) {
    const RunStatistics stats = ComputeStatistics(resolution.runs);
    w.StartObject();
    Key(w, "key");
    Text(w, resolution.key);
    Key(w, "label");
    Text(w, resolution.label);
    Key(w, "width");
    w.Int(resolution.width);
    Key(w, "height");
    w.Int(resolution.height);
    // Optional members: files without them are still format version 1.
    if (resolution.refreshRate) {
        Key(w, "refreshRate");
        w.Int(*resolution.refreshRate);
    }
    Key(w, "runs");
    w.StartArray();
    for (const RunRecord& run : resolution.runs) WriteRun(w, run);
    w.EndArray();
    Key(w, "mean");
    NumberOrNull(w, stats.mean ? std::optional<double>(Rounded(*stats.mean, 1)) : std::nullopt);
    Key(w, "stddev");
    NumberOrNull(w, stats.stddev ? std::optional<double>(Rounded(*stats.stddev, 2)) : std::nullopt);
    if (resolution.frameTimes) WriteFrameTimes(w, *resolution.frameTimes, "");
    w.EndObject();
}

void WriteOptions(Writer& w, const PassOptionTexts& o) {
    w.StartObject();
    const std::pair<const char*, const std::string*> texts[] = {
        {"demo", &o.demo},           {"aspect", &o.aspect},       {"shader", &o.shader},
        {"antialiasing", &o.antialiasing}, {"filtering", &o.filtering}, {"boost", &o.boost}};
    for (const auto& [key, value] : texts) {
        Key(w, key);
        TextOrNull(w, *value);
    }
    Key(w, "runs");
    w.Int(o.runs);
    Key(w, "warmUp");
    w.Bool(o.warmUp);
    Key(w, "timeLimitSeconds");
    if (o.timeLimitSeconds) {
        w.Int(*o.timeLimitSeconds);
    } else {
        w.Null();
    }
    if (o.frameTimes) {
        Key(w, "frameTimes");
        w.Bool(true);
    }
    w.EndObject();
}

std::string OptionalFigure(const std::optional<double>& value, int decimals) {
    return value ? FixedText(*value, decimals) : "";
}

std::string MachineText(const PassRecord& pass) {
    std::string text;
    for (const auto& [label, value] : pass.machine) text += (text.empty() ? "" : "; ") + label + ": " + value;
    return text;
}

std::string RowOf(const std::vector<std::string>& fieldsUtf8) {
    std::string row;
    for (std::size_t i = 0; i < fieldsUtf8.size(); ++i) row += (i ? "," : "") + CsvField(fieldsUtf8[i]);
    return row + "\r\n";
}

}  // namespace

std::string ResultJson(const PassRecord& pass) {
    rapidjson::StringBuffer buffer;
    Writer w(buffer);
    w.SetIndent(' ', 2);
    w.StartObject();
    Key(w, "format");
    w.String("lurkmark-result");
    Key(w, "formatVersion");
    w.Int(kFormatVersion);
    Key(w, "program");
    Text(w, pass.program);
    Key(w, "started");
    Text(w, pass.started);
    Key(w, "report");
    Text(w, pass.report);
    Key(w, "note");
    Text(w, pass.note);
    // Optional: written only when known, so that a file without them stays a valid file.
    if (!pass.computerName.empty()) {
        Key(w, "computer");
        Text(w, pass.computerName);
    }
    if (!pass.machineId.empty()) {
        Key(w, "machineId");
        Text(w, pass.machineId);
    }
    Key(w, "machine");
    w.StartArray();
    for (const auto& [label, value] : pass.machine) {
        w.StartObject();
        Key(w, "label");
        Text(w, label);
        Key(w, "value");
        Text(w, value);
        w.EndObject();
    }
    w.EndArray();
    Key(w, "options");
    WriteOptions(w, pass.options);
    Key(w, "resolutions");
    w.StartArray();
    for (const ResolutionRecord& resolution : pass.resolutions) WriteResolution(w, resolution);
    w.EndArray();
    if (const std::string source = PowerSourceName(pass.onBattery); !source.empty()) {
        Key(w, "powerSource");
        w.String(source.c_str());
    }
    if (!pass.powerPlan.empty()) {
        Key(w, "powerPlan");
        Text(w, pass.powerPlan);
    }
    if (!pass.flags.empty()) {
        Key(w, "flags");
        WriteFlags(w, pass.flags);
    }
    w.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize()) + "\n";
}

std::string DataFileNameOf(const std::string& reportFileName) {
    const std::size_t dot = reportFileName.rfind('.');
    return reportFileName.substr(0, dot) + ".json";
}

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of("\",\r\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string InertCsvText(const std::string& utf8) {
    // Spreadsheets take a cell that begins with one of these as a formula (a tab or carriage
    // return may be dropped before one); the apostrophe makes them show it as text.
    if (!utf8.empty() && std::string("=+-@\t\r").find(utf8[0]) != std::string::npos) return "'" + utf8;
    return utf8;
}

std::string CsvHeaderRow(CsvColumns columns) {
    std::vector<std::string> names = {"started", "note",    "machine", "resolution", "run",
                                      "score",   "frames", "seconds", "flags"};
    if (columns >= CsvColumns::Computer) names.push_back("computer");
    if (columns >= CsvColumns::FrameTimes) names.insert(names.end(), {"low1Fps", "low01Fps", "p99Ms"});
    return RowOf(names);
}

std::string CsvRows(const PassRecord& pass, const ResolutionRecord& resolution, CsvColumns columns) {
    std::string rows;
    const std::string machine = MachineText(pass);
    for (const RunRecord& run : resolution.runs) {
        std::string flags;
        for (const RunFlag& flag : run.flags) flags += (flags.empty() ? "" : " ") + flag.text;
        for (const RunFlag& flag : pass.flags) flags += (flags.empty() ? "" : " ") + flag.text;
        const std::optional<long> frames = FramesOf(run);
        std::vector<std::string> fields = {Cp1252ToUtf8(pass.started), InertCsvText(Cp1252ToUtf8(pass.note)),
                                           InertCsvText(Cp1252ToUtf8(machine)),
                                           Cp1252ToUtf8(resolution.label), std::to_string(run.run),
                                           run.score ? run.scoreText : std::string(),
                                           frames ? std::to_string(*frames) : "", OptionalFigure(SecondsOf(run), 1),
                                           Cp1252ToUtf8(flags)};
        if (columns >= CsvColumns::Computer) fields.push_back(InertCsvText(Cp1252ToUtf8(pass.computerName)));
        if (columns >= CsvColumns::FrameTimes) {
            const std::optional<FrameTimeFigures>& f = run.frameTimes;
            fields.insert(fields.end(), {f ? FixedText(f->low1Fps, 1) : "", f ? FixedText(f->low01Fps, 1) : "",
                                         f ? FixedText(f->p99Ms, 2) : ""});
        }
        rows += RowOf(fields);
    }
    return rows;
}

std::string CsvAppendBytes(const AppendedFileState& file, const PassRecord& pass, const ResolutionRecord& resolution) {
    if (file.empty) {
        // The frame-time columns come with the option, so that a file made without it is as before.
        const CsvColumns columns = pass.options.frameTimes ? CsvColumns::FrameTimes : CsvColumns::Computer;
        return std::string(kUtf8Bom) + CsvHeaderRow(columns) + CsvRows(pass, resolution, columns);
    }
    const std::string& header = file.firstLine;
    const auto endsWith = [&](const std::string& end) {
        return header.size() >= end.size() && header.compare(header.size() - end.size(), end.size(), end) == 0;
    };
    const CsvColumns columns = endsWith(",computer,low1Fps,low01Fps,p99Ms") ? CsvColumns::FrameTimes
                               : endsWith(",computer")                     ? CsvColumns::Computer
                                                                           : CsvColumns::Original;
    return (file.endsWithLineBreak ? "" : "\r\n") + CsvRows(pass, resolution, columns);
}

std::string SideCsvName(const std::string& computerName) {
    return "Lurkmark results " + (computerName.empty() ? std::string("unknown PC") : computerName) + ".csv";
}

std::vector<std::pair<std::string, std::string>> MachineLinesOf(const std::vector<std::string>& reportLines) {
    static const std::string kOpen = "   <FONT size=2><b>";
    static const std::string kLabelEnd = ":</b> ";
    static const std::string kClose = "</FONT><br>";
    std::vector<std::pair<std::string, std::string>> machine;
    for (const std::string& line : reportLines) {
        if (line == "<hr>") break;
        if (line.compare(0, kOpen.size(), kOpen) != 0 || line.size() < kOpen.size() + kClose.size()) continue;
        if (line.compare(line.size() - kClose.size(), kClose.size(), kClose) != 0) continue;
        const std::string inner = line.substr(kOpen.size(), line.size() - kOpen.size() - kClose.size());
        const std::size_t labelEnd = inner.find(kLabelEnd);
        if (labelEnd == std::string::npos) continue;
        machine.emplace_back(inner.substr(0, labelEnd), inner.substr(labelEnd + kLabelEnd.size()));
    }
    return machine;
}
