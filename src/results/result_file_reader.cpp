#include "results/result_file_reader.h"

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include <cctype>
#include <cmath>
#include <stdexcept>

#include "domain/game_time_limit.h"
#include "platform/civil_days.h"
#include "results/frame_times.h"
#include "results/run_statistics.h"

namespace {

using rapidjson::Value;

constexpr double kLargestMeasure = kLargestScore;

// A field that is missing or of the wrong type; the message names it.
struct Malformed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const Value& Member(const Value& object, const char* name, const std::string& where) {
    const auto found = object.FindMember(name);
    if (found == object.MemberEnd()) throw Malformed(where + name + " is missing");
    return found->value;
}

std::string Text(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (!v.IsString()) throw Malformed(where + name + " is not a text");
    return std::string(v.GetString(), v.GetStringLength());
}

// A choice the pass did not make is null: a batch line names only the switches it wants.
std::string TextOrNull(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (v.IsNull()) return "";
    if (!v.IsString()) throw Malformed(where + name + " is not a text or null");
    return std::string(v.GetString(), v.GetStringLength());
}

int Whole(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (!v.IsInt()) throw Malformed(where + name + " is not a whole number");
    return v.GetInt();
}

bool Flag(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (!v.IsBool()) throw Malformed(where + name + " is not true or false");
    return v.GetBool();
}

std::optional<double> NumberOrNull(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (v.IsNull()) return std::nullopt;
    if (!v.IsNumber()) throw Malformed(where + name + " is not a number");
    return v.GetDouble();
}

// Scores and their spread are drawn as bar lengths: zero or more, and no absurd size that
// would overflow when added up.
std::optional<double> MeasureOrNull(const Value& object, const char* name, const std::string& where) {
    const std::optional<double> value = NumberOrNull(object, name, where);
    if (value && !IsDrawableMeasure(*value)) {
        throw Malformed(where + name + " is not between 0 and " + std::to_string(static_cast<long>(kLargestMeasure)));
    }
    return value;
}

const Value& Array(const Value& object, const char* name, const std::string& where) {
    const Value& v = Member(object, name, where);
    if (!v.IsArray()) throw Malformed(where + name + " is not a list");
    return v;
}

const Value& Object(const Value& v, const std::string& what) {
    if (!v.IsObject()) throw Malformed(what + " is not an object");
    return v;
}

std::string ReportName(const Value& root) {
    const std::string name = Text(root, "report", "");
    if (!IsPlainReportName(name)) throw Malformed("report is not the name of an .htm file");
    return name;
}

double BoundedNumber(const Value& object, const char* name, const std::string& where, double most) {
    const Value& v = Member(object, name, where);
    // IsNumber: JSON has no NaN or infinity, and RapidJSON refuses numbers beyond a double.
    if (!v.IsNumber() || !(v.GetDouble() >= 0 && v.GetDouble() <= most)) {
        throw Malformed(where + name + " is not a number between 0 and " + std::to_string(static_cast<long>(most)));
    }
    return v.GetDouble();
}

long Count(const Value& object, const char* name, const std::string& where, long least) {
    const Value& v = Member(object, name, where);
    if (!v.IsInt() || v.GetInt() < least) throw Malformed(where + name + " is not a whole number from " + std::to_string(least));
    return v.GetInt();
}

// The figures of a frame-time capture; a malformed object makes the file malformed, as any
// other field does. The capture file's name must be a plain .csv name beside the data file.
FrameTimeFigures ReadFrameTimes(const Value& v, const std::string& where, std::string* file) {
    Object(v, where);
    FrameTimeFigures f;
    f.frames = Count(v, "frames", where, 1);
    f.averageFps = BoundedNumber(v, "averageFps", where, kLargestMeasure);
    f.low1Fps = BoundedNumber(v, "low1Fps", where, kLargestMeasure);
    f.low01Fps = BoundedNumber(v, "low01Fps", where, kLargestMeasure);
    f.p99Ms = BoundedNumber(v, "p99Ms", where, kLongestFrameMs);
    f.p999Ms = BoundedNumber(v, "p999Ms", where, kLongestFrameMs);
    f.worstMs = BoundedNumber(v, "worstMs", where, kLongestFrameMs);
    f.stddevMs = BoundedNumber(v, "stddevMs", where, kLongestFrameMs);
    f.stutters = Count(v, "stutters", where, 0);
    if (f.stutters > f.frames) throw Malformed(where + "stutters is more than frames");
    if (file && v.HasMember("file")) {
        *file = Text(v, "file", where);
        if (!IsPlainFileName(*file, ".csv")) throw Malformed(where + "file is not the name of a .csv file");
    }
    return f;
}

RunSummary ReadRun(const Value& v, const std::string& where) {
    Object(v, where);
    RunSummary run;
    run.run = Whole(v, "run", where);
    run.warmUp = Flag(v, "warmUp", where);
    run.ended = Text(v, "ended", where);
    if (run.ended != "scored" && run.ended != "noScore" && run.ended != "timeLimit") {
        throw Malformed(where + "ended is not scored, noScore or timeLimit");
    }
    run.score = MeasureOrNull(v, "score", where);
    run.frames = NumberOrNull(v, "frames", where);
    run.seconds = NumberOrNull(v, "seconds", where);
    if ((run.ended == "scored") != run.score.has_value()) throw Malformed(where + "score does not match ended");
    const Value& flags = Array(v, "flags", where);
    for (rapidjson::SizeType i = 0; i < flags.Size(); ++i) {
        const std::string at = where + "flags[" + std::to_string(i) + "].";
        Object(flags[i], at);
        run.flags.push_back({Text(flags[i], "code", at), Text(flags[i], "text", at)});
    }
    // Optional: only passes that recorded frame times have it.
    if (v.HasMember("frameTimes")) {
        run.frameTimes = ReadFrameTimes(v["frameTimes"], where + "frameTimes.", &run.frameTimesFile);
    }
    return run;
}

ResolutionSummary ReadResolution(const Value& v, const std::string& where) {
    Object(v, where);
    ResolutionSummary r;
    r.key = Text(v, "key", where);
    r.label = Text(v, "label", where);
    r.width = Whole(v, "width", where);
    r.height = Whole(v, "height", where);
    // A custom size the fields could not give as a number is written as 0.
    if (r.width < 0 || r.height < 0) throw Malformed(where + "width or height is negative");
    const Value& runs = Array(v, "runs", where);
    for (rapidjson::SizeType i = 0; i < runs.Size(); ++i) {
        r.runs.push_back(ReadRun(runs[i], where + "runs[" + std::to_string(i) + "]."));
    }
    r.mean = MeasureOrNull(v, "mean", where);
    r.stddev = MeasureOrNull(v, "stddev", where);
    if (v.HasMember("frameTimes")) r.frameTimes = ReadFrameTimes(v["frameTimes"], where + "frameTimes.", nullptr);
    return r;
}

std::vector<LabelledValue> ReadOptions(const Value& options, PassSummary& pass) {
    const std::string where = "options.";
    Object(options, "options");
    pass.demo = TextOrNull(options, "demo", where);
    pass.shader = TextOrNull(options, "shader", where);
    pass.runs = Whole(options, "runs", where);
    const bool warmUp = Flag(options, "warmUp", where);
    const std::optional<double> limit = NumberOrNull(options, "timeLimitSeconds", where);
    if (options.HasMember("frameTimes")) Flag(options, "frameTimes", where);
    // The range first: converting a double beyond long long's range is undefined.
    if (limit && !(*limit >= 0 && *limit <= kMaxGameTimeLimitSeconds && std::floor(*limit) == *limit)) {
        throw Malformed("options.timeLimitSeconds is not a whole number of seconds up to " +
                        std::to_string(kMaxGameTimeLimitSeconds));
    }
    return {
        {"Demo", pass.demo},
        {"Aspect ratio", TextOrNull(options, "aspect", where)},
        {"Shader detail", pass.shader},
        {"Antialiasing", TextOrNull(options, "antialiasing", where)},
        {"Anisotropic filtering", TextOrNull(options, "filtering", where)},
        {"Graphics boost", Text(options, "boost", where)},
        {"Runs per resolution", std::to_string(pass.runs)},
        {"Warm-up run", warmUp ? "yes" : "no"},
        {"Time limit", limit ? std::to_string(static_cast<long long>(*limit)) + " s" : "none"},
    };
}

PassSummary ReadPass(const Value& root) {
    PassSummary pass;
    pass.program = Text(root, "program", "");
    pass.started = Text(root, "started", "");
    const std::optional<long long> utc = UtcSecondsOf(pass.started);
    if (!utc) throw Malformed("started is not a date and time");
    pass.startedUtcSeconds = *utc;
    pass.report = ReportName(root);
    pass.note = Text(root, "note", "");
    // Files written before the computer was named lack it.
    if (root.HasMember("computer")) pass.computerName = Text(root, "computer", "");
    const Value& machine = Array(root, "machine", "");
    for (rapidjson::SizeType i = 0; i < machine.Size(); ++i) {
        const std::string at = "machine[" + std::to_string(i) + "].";
        Object(machine[i], at);
        pass.machine.push_back({Text(machine[i], "label", at), Text(machine[i], "value", at)});
    }
    pass.options = ReadOptions(Member(root, "options", ""), pass);
    const Value& resolutions = Array(root, "resolutions", "");
    for (rapidjson::SizeType i = 0; i < resolutions.Size(); ++i) {
        pass.resolutions.push_back(ReadResolution(resolutions[i], "resolutions[" + std::to_string(i) + "]."));
    }
    return pass;
}

bool Digits(const std::string& s, std::size_t at, std::size_t count, int& out) {
    if (at + count > s.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        out = out * 10 + (s[i] - '0');
    }
    return true;
}

int DaysInMonth(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

}  // namespace

bool IsPlainFileName(const std::string& name, const std::string& extension) {
    return name.find_first_of("\\/:") == std::string::npos && name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

bool IsPlainReportName(const std::string& name) { return IsPlainFileName(name, ".htm"); }

bool IsDrawableMeasure(double value) { return value >= 0 && value <= kLargestMeasure; }

std::optional<long long> UtcSecondsOf(const std::string& t) {
    int y, mo, d, h, mi, s;
    if (!Digits(t, 0, 4, y) || t.size() < 19 || t[4] != '-' || !Digits(t, 5, 2, mo) || t[7] != '-' ||
        !Digits(t, 8, 2, d) || t[10] != 'T' || !Digits(t, 11, 2, h) || t[13] != ':' || !Digits(t, 14, 2, mi) ||
        t[16] != ':' || !Digits(t, 17, 2, s)) {
        return std::nullopt;
    }
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) return std::nullopt;
    long long offset = 0;
    const std::string zone = t.substr(19);
    if (zone != "Z") {
        int oh, om;
        if (zone.size() != 6 || (zone[0] != '+' && zone[0] != '-') || !Digits(zone, 1, 2, oh) || zone[3] != ':' ||
            !Digits(zone, 4, 2, om) || oh > 14 || om > 59) {
            return std::nullopt;
        }
        offset = (oh * 60LL + om) * 60 * (zone[0] == '-' ? -1 : 1);
    }
    return DaysFromCivil(y, mo, d) * 86400 + h * 3600LL + mi * 60LL + s - offset;
}

ResultFileReading ReadResultFile(const std::string& jsonText) {
    rapidjson::Document doc;
    // The text must be valid UTF-8: the page that shows it declares that encoding. The parse
    // keeps its nesting on the heap, not the stack: any PC of a shared folder may write a file
    // nested a hundred thousand lists deep. (The document's pool frees its values without
    // walking them, so dropping it recurses neither.)
    doc.Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag>(jsonText.data(),
                                                                                      jsonText.size());
    if (doc.HasParseError()) {
        return {std::nullopt, std::string("malformed: ") + rapidjson::GetParseError_En(doc.GetParseError()) +
                                  " (at byte " + std::to_string(doc.GetErrorOffset()) + ")"};
    }
    try {
        Object(doc, "the file");
        if (Text(doc, "format", "") != "lurkmark-result") return {std::nullopt, "malformed: not a Lurkmark result"};
        const Value& version = Member(doc, "formatVersion", "");
        if (!version.IsInt() || version.GetInt() != 1) return {std::nullopt, kUnknownFormatVersion};
        return {ReadPass(doc), ""};
    } catch (const Malformed& e) {
        return {std::nullopt, std::string("malformed: ") + e.what()};
    }
}
