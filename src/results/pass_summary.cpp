#include "results/pass_summary.h"

bool PassSummary::HasFlaggedRun() const {
    for (const ResolutionSummary& resolution : resolutions) {
        for (const RunSummary& run : resolution.runs) {
            if (!run.flags.empty()) return true;
        }
    }
    return false;
}

const ResolutionSummary* PassSummary::Resolution(const std::string& key) const {
    for (const ResolutionSummary& resolution : resolutions) {
        if (resolution.key == key) return &resolution;
    }
    return nullptr;
}

#include <algorithm>
#include <cstdio>

std::vector<ResolutionColumn> ResolutionsOf(const std::vector<const PassSummary*>& passes) {
    struct Found {
        ResolutionColumn heading;
        long long pixels;
        int width;
    };
    std::vector<Found> found;
    for (const PassSummary* pass : passes) {
        for (const ResolutionSummary& r : pass->resolutions) {
            const bool known =
                std::any_of(found.begin(), found.end(), [&](const Found& f) { return f.heading.key == r.key; });
            if (!known) found.push_back({{r.key, r.label}, static_cast<long long>(r.width) * r.height, r.width});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.pixels != b.pixels ? a.pixels < b.pixels : a.width < b.width;
    });
    std::vector<ResolutionColumn> headings;
    for (const Found& f : found) headings.push_back(f.heading);
    return headings;
}

std::string DecimalText(double value, int decimals, char separator) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    std::replace(result.begin(), result.end(), '.', separator);
    return result;
}

std::string LocalStartText(const std::string& started) {
    // The reader has checked the form: "YYYY-MM-DDTHH:MM:SS" and a zone.
    return started.size() >= 19 ? started.substr(0, 10) + " " + started.substr(11, 8) : started;
}
