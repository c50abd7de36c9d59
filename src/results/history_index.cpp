#include "results/history_index.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "results/result_file_reader.h"

namespace {

constexpr const char kHeader[] = "Lurkmark results index 2\r\n";
constexpr const char kTrailer[] = "\r\nsum ";

// FNV-1a: cheap, and any changed or lost byte shows.
std::uint64_t CheckSum(const char* data, std::size_t size) {
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= static_cast<unsigned char>(data[i]);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Texts as length:bytes, so that no byte of them needs escaping; numbers end with ';'.
class Writer {
public:
    void Text(const std::string& text) {
        Whole(text.size(), ':');
        out_ += text;
    }
    void Whole(std::uint64_t value, char end = ';') {
        char digits[24];
        char* at = digits + sizeof digits;
        *--at = end;
        do {
            *--at = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value);
        out_.append(at, static_cast<std::size_t>(digits + sizeof digits - at));
    }
    void Signed(long long value) {
        if (value < 0) out_ += '-';
        Whole(value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value));
    }
    void Number(const std::optional<double>& value) {
        if (!value) {
            out_ += "-;";
            return;
        }
        // The bits of the number: exact, and much quicker than printing and parsing decimals.
        std::uint64_t bits;
        std::memcpy(&bits, &*value, sizeof bits);
        Whole(bits);
    }
    std::string& Out() { return out_; }

private:
    std::string out_;
};

struct Broken : std::runtime_error {
    Broken() : std::runtime_error("broken index") {}
};

// The fewest bytes each kind of item takes in an index: every number at least "0;", every
// text at least "0:".
constexpr std::size_t kSmallestFile = 11;  // name, size, time, flag and a reason of one byte
constexpr std::size_t kSmallestResolution = 14;
constexpr std::size_t kSmallestFlaggedRun = 4;
constexpr std::size_t kSmallestFlag = 4;

class Reader {
public:
    Reader(const char* at, const char* end) : at_(at), end_(end) {}
    bool AtEnd() const { return at_ == end_; }
    std::size_t BytesLeft() const { return static_cast<std::size_t>(end_ - at_); }
    std::uint64_t Whole(char end = ';') {
        std::uint64_t value = 0;
        const char* start = at_;
        while (at_ < end_ && *at_ >= '0' && *at_ <= '9') {
            if (value > 1844674407370955161ull) throw Broken();
            value = value * 10 + static_cast<std::uint64_t>(*at_++ - '0');
        }
        // One way of writing each number only: no leading zeros.
        if (at_ == start || at_ - start > 20 || (*start == '0' && at_ - start > 1) || at_ == end_ || *at_ != end) {
            throw Broken();
        }
        ++at_;
        return value;
    }
    long long Signed() {
        const bool negative = at_ < end_ && *at_ == '-';
        if (negative) ++at_;
        const std::uint64_t value = Whole();
        if (value > 9223372036854775807ull || (negative && value == 0)) throw Broken();
        return negative ? -static_cast<long long>(value) : static_cast<long long>(value);
    }
    int Int() {
        const long long value = Signed();
        if (value < -2147483647 || value > 2147483647) throw Broken();
        return static_cast<int>(value);
    }
    bool Flag() {
        const std::uint64_t value = Whole();
        if (value > 1) throw Broken();
        return value == 1;
    }
    // A count of things each at least smallest bytes long: never more than the bytes left
    // allow, so that a changed count cannot ask for more memory than the file could fill.
    std::size_t Count(std::size_t smallest) {
        const std::uint64_t value = Whole();
        if (value > static_cast<std::uint64_t>(end_ - at_) / smallest) throw Broken();
        return static_cast<std::size_t>(value);
    }
    std::string Text() {
        const std::uint64_t size = Whole(':');
        if (size > static_cast<std::uint64_t>(end_ - at_)) throw Broken();
        std::string text(at_, static_cast<std::size_t>(size));
        at_ += size;
        return text;
    }
    std::optional<double> Number() {
        if (end_ - at_ >= 2 && at_[0] == '-' && at_[1] == ';') {
            at_ += 2;
            return std::nullopt;
        }
        const std::uint64_t bits = Whole();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const char* at_;
    const char* end_;
};

// Room for the items is taken ahead, as far as a record of a real index (a file some 280
// bytes, a resolution some 70) could fill the bytes left: a hundred thousand files added one
// by one move every record again and again, while a forged count may not make the list take
// more than the bytes could fill anyway.
constexpr std::size_t kReservedItemBytes = 64;

template <typename Item, typename ReadItem>
std::vector<Item> List(Reader& r, std::size_t smallest, ReadItem readItem) {
    const std::size_t count = r.Count(smallest);
    std::vector<Item> items;
    items.reserve(std::min(count, r.BytesLeft() / kReservedItemBytes + 1));
    for (std::size_t i = 0; i < count; ++i) items.push_back(readItem());
    return items;
}

void WritePass(Writer& w, const PassSummary& p) {
    w.Text(p.started);
    w.Signed(p.startedUtcSeconds);
    w.Text(p.report);
    w.Text(p.note);
    w.Text(p.computerName);
    w.Text(p.demo);
    w.Text(p.shader);
    w.Signed(p.runs);
    w.Whole(p.resolutions.size());
    for (const ResolutionSummary& res : p.resolutions) {
        w.Text(res.key);
        w.Text(res.label);
        w.Signed(res.width);
        w.Signed(res.height);
        w.Number(res.mean);
        // Of the frame-time figures the list shows the 1 % low only.
        w.Number(res.frameTimes ? std::optional<double>(res.frameTimes->low1Fps) : std::nullopt);
        std::size_t flagged = 0;
        for (const RunSummary& run : res.runs) flagged += !run.flags.empty();
        w.Whole(flagged);
        for (const RunSummary& run : res.runs) {
            if (run.flags.empty()) continue;
            w.Signed(run.run);
            w.Whole(run.flags.size());
            for (const RunFlag& flag : run.flags) {
                w.Text(flag.code);
                w.Text(flag.text);
            }
        }
    }
}

// The index lies in a shared folder and anyone may write it: what the data file's reader
// refuses, the index may not bring in either (a report name that leads out of the folder, a
// score that cannot be drawn).
PassSummary ReadPass(Reader& r) {
    PassSummary p;
    p.started = r.Text();
    p.startedUtcSeconds = r.Signed();
    if (UtcSecondsOf(p.started) != p.startedUtcSeconds) throw Broken();
    p.report = r.Text();
    if (!IsPlainReportName(p.report)) throw Broken();
    p.note = r.Text();
    p.computerName = r.Text();
    p.demo = r.Text();
    p.shader = r.Text();
    p.runs = r.Int();
    p.resolutions = List<ResolutionSummary>(r, kSmallestResolution, [&r] {
        ResolutionSummary res;
        res.key = r.Text();
        res.label = r.Text();
        res.width = r.Int();
        res.height = r.Int();
        res.mean = r.Number();
        const std::optional<double> low1 = r.Number();
        if (res.width <= 0 || res.height <= 0 || (res.mean && !IsDrawableMeasure(*res.mean)) ||
            (low1 && !IsDrawableMeasure(*low1))) {
            throw Broken();
        }
        if (low1) {
            res.frameTimes.emplace();
            res.frameTimes->low1Fps = *low1;
        }
        res.runs = List<RunSummary>(r, kSmallestFlaggedRun, [&r] {
            RunSummary run;
            run.run = r.Int();
            run.flags = List<RunFlag>(r, kSmallestFlag, [&r] {
                RunFlag flag;
                flag.code = r.Text();
                flag.text = r.Text();
                return flag;
            });
            return run;
        });
        return res;
    });
    return p;
}

bool SameFile(const ListedFile& a, const ListedFile& b) {
    return a.name == b.name && a.size == b.size && a.lastWrite == b.lastWrite;
}

}  // namespace

std::string EncodeHistoryIndex(const std::vector<IndexedFile>& files) {
    Writer w;
    w.Out() = kHeader;
    std::size_t kept = 0;
    for (const IndexedFile& f : files) kept += f.keep;
    w.Whole(kept);
    for (const IndexedFile& f : files) {
        if (!f.keep) continue;
        w.Text(f.file.name);
        w.Whole(f.file.size);
        w.Whole(f.file.lastWrite);
        w.Whole(f.entry.pass ? 1 : 0);
        if (f.entry.pass) {
            WritePass(w, *f.entry.pass);
        } else {
            w.Text(f.entry.problem);
        }
    }
    return SealHistoryIndex(std::move(w.Out()));
}

std::string SealHistoryIndex(std::string body) {
    Writer w;
    w.Out() = std::move(body);
    const std::uint64_t sum = CheckSum(w.Out().data(), w.Out().size());
    w.Out() += kTrailer;
    w.Whole(sum);
    return std::move(w.Out());
}

std::vector<IndexedFile> DecodeHistoryIndex(const std::string& bytes) {
    const std::size_t headerSize = sizeof kHeader - 1;
    const std::size_t trailerAt = bytes.rfind(kTrailer);
    if (bytes.compare(0, headerSize, kHeader) != 0 || trailerAt == std::string::npos || trailerAt < headerSize) {
        return {};
    }
    try {
        Reader sum(bytes.data() + trailerAt + sizeof kTrailer - 1, bytes.data() + bytes.size());
        if (sum.Whole() != CheckSum(bytes.data(), trailerAt) || !sum.AtEnd()) return {};
        Reader r(bytes.data() + headerSize, bytes.data() + trailerAt);
        std::vector<IndexedFile> files = List<IndexedFile>(r, kSmallestFile, [&] {
            IndexedFile f;
            f.file.name = r.Text();
            f.file.size = r.Whole();
            f.file.lastWrite = r.Whole();
            f.entry.fileName = f.file.name;
            if (r.Flag()) {
                f.entry.pass = ReadPass(r);
            } else {
                f.entry.problem = r.Text();
                if (f.entry.problem.empty()) throw Broken();  // an unreadable file always has its reason
            }
            return f;
        });
        if (!r.AtEnd()) return {};
        return files;
    } catch (const std::exception&) {
        // Broken bytes, or more than memory holds: either way the folder is read again and a
        // whole index written over this one, so that no index can keep the list shut.
        return {};
    }
}

HistoryRefresh RefreshHistory(const std::vector<ListedFile>& listing, std::vector<IndexedFile> index,
                              const std::function<IndexedFile(const ListedFile&)>& read) {
    // Keyed by views of the index's own names: no copy of a hundred thousand names.
    std::unordered_map<std::string_view, std::size_t> byName;
    byName.reserve(index.size());
    for (std::size_t i = 0; i < index.size(); ++i) byName.emplace(index[i].file.name, i);

    HistoryRefresh refresh;
    refresh.files.reserve(listing.size());
    std::size_t reused = 0;
    for (const ListedFile& listed : listing) {
        const auto found = byName.find(listed.name);
        if (found != byName.end() && SameFile(index[found->second].file, listed)) {
            const std::size_t at = found->second;
            byName.erase(found);  // a name listed twice is read the second time; erased before its name moves
            refresh.files.push_back(std::move(index[at]));
            ++reused;
            continue;
        }
        refresh.files.push_back(read(listed));
        refresh.indexChanged = refresh.indexChanged || refresh.files.back().keep;
    }
    // Files gone from the folder leave the index.
    if (reused != index.size()) refresh.indexChanged = true;
    return refresh;
}

std::size_t IndexTemporaryBytesToCheck() { return sizeof kHeader - 1; }

bool IsLeftOverIndexTemporary(const std::string& name, std::uint64_t lastWrite, std::uint64_t now,
                              const std::string& firstBytes) {
    static const std::string prefix = kIndexTemporaryPrefix, suffix = ".tmp";
    const std::size_t digits = name.size() - std::min(name.size(), prefix.size() + suffix.size());
    if (digits < 1 || digits > 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0 ||
        name.find_first_not_of("0123456789ABCDEFabcdef", prefix.size()) != prefix.size() + digits) {
        return false;
    }
    const std::uint64_t aDay = 24ull * 60 * 60 * 10000000;
    if (lastWrite > now || now - lastWrite <= aDay) return false;
    return firstBytes.size() <= IndexTemporaryBytesToCheck() &&
           std::string(kHeader).compare(0, firstBytes.size(), firstBytes) == 0;
}
