#include "results/pass_history.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ascii_case.h"
#include "results/result_file_reader.h"
#include "results/utf8_cp1252.h"

namespace {

constexpr const char* kFlagMark = "!";
constexpr const char* kNoScore = "No Score";

std::string FlagTexts(const PassSummary& pass) {
    std::string texts;
    for (const ResolutionSummary& r : pass.resolutions) {
        for (const RunSummary& run : r.runs) {
            for (const RunFlag& flag : run.flags) {
                if (!texts.empty()) texts += "\r\n";
                texts += Utf8ToCp1252(r.label + ", run " + std::to_string(run.run) + ": " + flag.text);
            }
        }
    }
    return texts;
}

std::string MeanCell(const PassSummary& pass, const std::string& key, char separator) {
    const ResolutionSummary* r = pass.Resolution(key);
    if (!r) return "";
    return r->mean ? DecimalText(*r->mean, 1, separator) : kNoScore;
}

std::string Low1Cell(const PassSummary& pass, const std::string& key, char separator) {
    const ResolutionSummary* r = pass.Resolution(key);
    return r && r->frameTimes ? DecimalText(r->frameTimes->low1Fps, 1, separator) : "";
}

// Whether any pass recorded frame times at the resolution: a folder without any looks as before.
bool AnyFrameTimes(const std::vector<const PassSummary*>& passes, const std::string& key) {
    return std::any_of(passes.begin(), passes.end(), [&key](const PassSummary* p) {
        const ResolutionSummary* r = p->Resolution(key);
        return r && r->frameTimes;
    });
}

// The value a numeric cell sorts by; empty for a blank cell or "No Score".
std::optional<double> NumberIn(const std::string& cell, char separator) {
    if (cell.empty() || cell == kNoScore) return std::nullopt;
    std::string text = cell;
    std::replace(text.begin(), text.end(), separator, '.');
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

HistoryEntry ReadHistoryEntry(const std::string& fileName, const std::string& jsonText) {
    ResultFileReading reading = ReadResultFile(jsonText);
    return {fileName, std::move(reading.pass), reading.problem};
}

bool IsResultDataFileName(const std::string& fileName) {
    const std::string name = AsciiLower(fileName);
    return name.size() > 12 && name.compare(0, 7, "result_") == 0 && name.compare(name.size() - 5, 5, ".json") == 0;
}

HistoryTable BuildHistoryTable(const std::vector<HistoryEntry>& entries, char decimalSeparator, HistoryView view) {
    std::vector<const PassSummary*> passes;
    for (const HistoryEntry& e : entries) {
        if (e.pass) passes.push_back(&*e.pass);
    }
    HistoryTable table;
    table.decimalSeparator = decimalSeparator;
    table.columns = {{"!", false, HistoryField::Flag, ""}, {"Date and time", false, HistoryField::Started, ""}};
    if (view == HistoryView::Window) table.columns.push_back({"Computer", false, HistoryField::Computer, ""});
    table.columns.insert(table.columns.end(), {{"Note", false, HistoryField::Note, ""},
                                               {"Demo", false, HistoryField::Demo, ""},
                                               {"Shader detail", false, HistoryField::Shader, ""},
                                               {"Runs", true, HistoryField::Runs, ""}});
    for (const ResolutionColumn& r : ResolutionsOf(passes)) {
        table.columns.push_back({Utf8ToCp1252(r.label), true, HistoryField::Score, r.key});
        if (AnyFrameTimes(passes, r.key)) {
            table.columns.push_back({Utf8ToCp1252(r.label) + " 1 % low", true, HistoryField::Low1, r.key});
        }
    }

    table.rows.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const HistoryEntry& e = entries[i];
        HistoryRow row{i, std::vector<std::string>(table.columns.size()), !e.pass, e.problem};
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            const HistoryColumn& column = table.columns[c];
            std::string& cell = row.cells[c];
            if (!e.pass) {
                if (column.field == HistoryField::Started) cell = e.fileName;
                if (column.field == HistoryField::Note) cell = e.problem;
                continue;
            }
            const PassSummary& p = *e.pass;
            switch (column.field) {
            case HistoryField::Flag:
                row.tooltip = FlagTexts(p);
                cell = row.tooltip.empty() ? "" : kFlagMark;
                break;
            case HistoryField::Started: cell = LocalStartText(p.started); break;
            case HistoryField::Computer: cell = Utf8ToCp1252(p.computerName); break;
            case HistoryField::Note: cell = Utf8ToCp1252(p.note); break;
            case HistoryField::Demo: cell = Utf8ToCp1252(p.demo); break;
            case HistoryField::Shader: cell = Utf8ToCp1252(p.shader); break;
            case HistoryField::Runs: cell = std::to_string(p.runs); break;
            case HistoryField::Score: cell = MeanCell(p, column.key, decimalSeparator); break;
            case HistoryField::Low1: cell = Low1Cell(p, column.key, decimalSeparator); break;
            }
        }
        table.rows.push_back(std::move(row));
    }
    SortHistoryRows(table, entries, ColumnOf(table, HistoryField::Started), false);
    return table;
}

std::size_t ColumnOf(const HistoryTable& table, HistoryField field) {
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (table.columns[c].field == field) return c;
    }
    return table.columns.size();
}

void SortHistoryRows(HistoryTable& table, const std::vector<HistoryEntry>& entries, std::size_t column,
                     bool ascending) {
    if (column >= table.columns.size()) return;
    const bool numeric = table.columns[column].numeric;
    const bool byMoment = table.columns[column].field == HistoryField::Started;
    const std::size_t nameColumn = ColumnOf(table, HistoryField::Started);
    auto value = [&](const HistoryRow& row) { return NumberIn(row.cells[column], table.decimalSeparator); };
    auto less = [&](const HistoryRow& a, const HistoryRow& b) {
        if (a.greyed != b.greyed) return b.greyed;
        if (a.greyed) return a.cells[nameColumn] < b.cells[nameColumn];  // unreadable files by name
        const PassSummary& pa = *entries[a.entry].pass;
        const PassSummary& pb = *entries[b.entry].pass;
        if (byMoment) {
            return ascending ? pa.startedUtcSeconds < pb.startedUtcSeconds
                             : pb.startedUtcSeconds < pa.startedUtcSeconds;
        }
        if (numeric) {
            const std::optional<double> va = value(a), vb = value(b);
            if (va.has_value() != vb.has_value()) return va.has_value();
            if (!va) return false;
            return ascending ? *va < *vb : *vb < *va;
        }
        const std::string& ta = a.cells[column];
        const std::string& tb = b.cells[column];
        if (ta.empty() != tb.empty()) return !ta.empty();
        return ascending ? AsciiLower(ta) < AsciiLower(tb) : AsciiLower(tb) < AsciiLower(ta);
    };
    std::stable_sort(table.rows.begin(), table.rows.end(), less);
}
