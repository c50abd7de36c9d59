#include "results/history_filter.h"

#include "results/utf8_cp1252.h"

namespace {

std::vector<std::string> WordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text + ' ') {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(FoldCase(word));
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

}  // namespace

std::string FoldCase(std::string text) {
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        // A-Z, then À-Þ without the multiplication sign, then Š, Œ, Ž and Ÿ.
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) {
            c = static_cast<char>(u + 0x20);
        } else if (u == 0x8A || u == 0x8C || u == 0x8E) {
            c = static_cast<char>(u + 0x10);
        } else if (u == 0x9F) {
            c = static_cast<char>(0xFF);
        }
    }
    return text;
}

std::vector<std::string> HistorySearchTexts(const std::vector<HistoryEntry>& entries) {
    std::vector<std::string> texts;
    texts.reserve(entries.size());
    for (const HistoryEntry& e : entries) {
        // A line break between the fields keeps a word from matching across two of them.
        texts.push_back(FoldCase(e.pass ? Utf8ToCp1252(e.pass->computerName + "\n" + e.pass->note + "\n" + e.pass->demo)
                                        : e.fileName));
    }
    return texts;
}

std::vector<std::size_t> MatchingRows(const HistoryTable& table, const std::vector<std::string>& searchTexts,
                                      const std::string& filter) {
    const std::vector<std::string> words = WordsOf(filter);
    static const std::string nothing;
    std::vector<std::size_t> rows;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const std::size_t entry = table.rows[r].entry;
        const std::string& text = entry < searchTexts.size() ? searchTexts[entry] : nothing;
        bool all = true;
        for (const std::string& word : words) {
            if (text.find(word) == std::string::npos) {
                all = false;
                break;
            }
        }
        if (all) rows.push_back(r);
    }
    return rows;
}
