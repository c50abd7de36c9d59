#include "app/results_window_layout.h"

#include <cstdlib>

namespace {

constexpr int kLargestCoordinate = 100000;
constexpr int kWidestColumn = 2000;

// A whole number of at most six digits with an optional minus sign, and nothing else.
std::optional<int> WholeNumber(const std::string& text) {
    const std::size_t digits = text.size() - (!text.empty() && text[0] == '-');
    if (digits == 0 || digits > 6) return std::nullopt;
    for (std::size_t i = text.size() - digits; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    }
    return std::atoi(text.c_str());
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

}  // namespace

std::string EncodeWindowBounds(const ResultsWindowBounds& b) {
    return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.width) + "," +
           std::to_string(b.height) + "," + (b.maximised ? "1" : "0");
}

std::optional<ResultsWindowBounds> DecodeWindowBounds(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != 5) return std::nullopt;
    int values[5];
    for (std::size_t i = 0; i < 5; ++i) {
        const std::optional<int> value = WholeNumber(parts[i]);
        if (!value || *value < -kLargestCoordinate || *value > kLargestCoordinate) return std::nullopt;
        values[i] = *value;
    }
    if (values[2] < kResultsWindowMinWidth || values[3] < kResultsWindowMinHeight) return std::nullopt;
    if (values[4] != 0 && values[4] != 1) return std::nullopt;
    return ResultsWindowBounds{values[0], values[1], values[2], values[3], values[4] == 1};
}

std::string ColumnName(const HistoryColumn& column) {
    switch (column.field) {
    case HistoryField::Flag: return "flag";
    case HistoryField::Started: return "date";
    case HistoryField::Computer: return "computer";
    case HistoryField::Note: return "note";
    case HistoryField::Demo: return "demo";
    case HistoryField::Shader: return "shader";
    case HistoryField::Runs: return "runs";
    case HistoryField::Score: break;
    case HistoryField::Low1: return "low1:" + column.key;
    }
    return "score:" + column.key;
}

int DefaultColumnWidth(const HistoryColumn& column) {
    switch (column.field) {
    case HistoryField::Flag: return 18;
    case HistoryField::Started: return 134;
    case HistoryField::Computer: return 100;
    case HistoryField::Note: return 110;
    case HistoryField::Demo: return 84;
    case HistoryField::Shader: return 76;
    case HistoryField::Runs: return 36;
    case HistoryField::Score:
    case HistoryField::Low1: break;
    }
    return 64;
}

std::vector<int> FitColumnsToRoom(std::vector<int> wanted, const std::vector<int>& least, int room) {
    int excess = -room;
    for (int width : wanted) excess += width;
    while (excess > 0) {
        std::size_t widest = wanted.size();
        for (std::size_t c = 0; c < wanted.size() && c < least.size(); ++c) {
            if (wanted[c] > least[c] && (widest == wanted.size() || wanted[c] > wanted[widest])) widest = c;
        }
        if (widest == wanted.size()) break;
        --wanted[widest];
        --excess;
    }
    return wanted;
}

bool MayGiveWay(const HistoryColumn& column) {
    return !column.numeric && column.field != HistoryField::Flag && column.field != HistoryField::Started;
}

std::string EncodeColumnWidths(const std::map<std::string, int>& widths) {
    std::string text;
    for (const auto& [name, width] : widths) {
        // A resolution key comes from a data file: one that would split the value is left out.
        if (name.empty() || name.find_first_of(";=") != std::string::npos) continue;
        if (!text.empty()) text += ";";
        text += name + "=" + std::to_string(width);
    }
    return text;
}

std::map<std::string, int> DecodeColumnWidths(const std::string& text) {
    std::map<std::string, int> widths;
    if (text.empty()) return widths;
    for (const std::string& item : Split(text, ';')) {
        const std::size_t equals = item.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        const std::optional<int> width = WholeNumber(item.substr(equals + 1));
        if (!width || *width < 0 || *width > kWidestColumn) continue;
        widths[item.substr(0, equals)] = *width;
    }
    return widths;
}
