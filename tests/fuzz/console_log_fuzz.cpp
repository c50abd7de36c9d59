// The game's console log, whatever it holds: the score read from it the way a pass reads it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes/fake_settings.h"
#include "fuzz_check.h"
#include "results/console_log_parser.h"

using namespace ConsoleLogParser;

namespace {

// Every CR is followed by LF, every LF follows a CR, and non-empty text ends with CR LF.
void CheckCrLfOnly(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') FUZZ_CHECK(i + 1 < text.size() && text[i + 1] == '\n');
        if (text[i] == '\n') FUZZ_CHECK(i > 0 && text[i - 1] == '\r');
    }
    FUZZ_CHECK(text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0));
}

std::string WithoutLineEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != '\r' && c != '\n') out += c;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string log(reinterpret_cast<const char*>(data), size);

    const std::string normalised = normaliseLineEnds(log);
    CheckCrLfOnly(normalised);
    FUZZ_CHECK(normaliseLineEnds(normalised) == normalised);
    FUZZ_CHECK(WithoutLineEnds(normalised) == WithoutLineEnds(log));

    const std::string score = extractScore(log);
    FUZZ_CHECK(score.size() <= 7);
    FUZZ_CHECK(score.find_first_of(" =:fFpPsS") == std::string::npos);
    FUZZ_CHECK(hasScoreMarker(log) || score.empty());
    FUZZ_CHECK(containsLetter(score) == (score.find_first_of("abcdefghijklmnopqrstuvwxyz"
                                                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos));

    FakeFileSystem files;
    const std::string cfg = "C:\\Prey\\base\\";
    files.files[cfg + kLogFileName] = log;
    const ScoreResult result = readScore(files, cfg);
    FUZZ_CHECK(result.logFound);
    FUZZ_CHECK(result.markerFound == hasScoreMarker(log));
    FUZZ_CHECK(result.scoreText == extractScore(normalised));
    FUZZ_CHECK(result.hasLetter == containsLetter(result.scoreText));
    // The log is only read.
    FUZZ_CHECK(files.files[cfg + kLogFileName] == log);
    return 0;
}
