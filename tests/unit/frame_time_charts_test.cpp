#include "results/frame_time_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

// Steady frames of `ms` with a longer one at each of `spikes`.
std::vector<double> Frames(std::size_t count, double ms, const std::vector<std::size_t>& spikes, double spikeMs) {
    std::vector<double> frames(count, ms);
    for (std::size_t at : spikes) frames[at] = spikeMs;
    return frames;
}

TEST(FrameTimeOverTime, KeepsEverySpikeAndTheLevelBetweenThem) {
    const struct {
        const char* name;
        std::vector<double> frames;
        std::size_t buckets;
        std::size_t points;
        double spikeMs;  // the longest frame, which must be a point
    } cases[] = {
        {"empty", {}, 10, 0, 0},
        {"short: every frame", {10, 20, 10, 40}, 10, 4, 40},
        // 100,000 frames of 10 ms with three single 80 ms frames in different stretches.
        // A steady stretch is one point; a stretch with its spike two.
        {"long, lone spikes", Frames(100000, 10, {5, 50001, 99999}, 80), 300, 303, 80},
        // 1 % of the frames long: every stretch holds some, and still shows the steady level.
        {"long, 1 % spikes",
         [] {
             std::vector<double> f = Frames(60000, 16.7, {}, 0);
             for (std::size_t i = 50; i < f.size(); i += 100) f[i] = 50;
             return f;
         }(),
         300, 600, 50},
    };
    for (const auto& c : cases) {
        const std::vector<PlotPoint> points = FrameTimeOverTime(c.frames, c.buckets);
        EXPECT_EQ(points.size(), c.points) << c.name;
        if (points.empty()) continue;
        double total = 0;
        for (double ms : c.frames) total += ms / 1000;
        for (std::size_t i = 1; i < points.size(); ++i) EXPECT_LT(points[i - 1].x, points[i].x) << c.name;
        EXPECT_LE(points.back().x, total + 1e-9) << c.name;
        const double longest =
            std::max_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; })->y;
        const double shortest =
            std::min_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; })->y;
        EXPECT_EQ(longest, c.spikeMs) << c.name;
        EXPECT_EQ(shortest, *std::min_element(c.frames.begin(), c.frames.end())) << c.name;
    }
    // Each lone spike stands where it happened in the demo's time: after 6, 50,002 and 100,000 frames.
    const std::vector<PlotPoint> lone = FrameTimeOverTime(Frames(100000, 10, {5, 50001, 99999}, 80), 300);
    std::vector<double> spikeTimes;
    for (const PlotPoint& p : lone) {
        if (p.y == 80) spikeTimes.push_back(p.x);
    }
    ASSERT_EQ(spikeTimes.size(), 3u);
    EXPECT_NEAR(spikeTimes[0], 0.05 + 0.08, 1e-9);
    EXPECT_NEAR(spikeTimes[1], 500.02 + 0.14, 1e-6);
    EXPECT_NEAR(spikeTimes[2], 1000.00 + 0.21, 1e-6);
}

TEST(FrameTimePercentiles, TakesTheNearestRankFromFiftyToNinetyNinePointNine) {
    const struct {
        const char* name;
        std::vector<double> frames;
        std::vector<std::pair<double, double>> expected;  // percentile, frame time
    } cases[] = {
        {"one frame", {12}, {{50, 12}, {99.9, 12}}},
        {"two frames", {30, 10}, {{50, 10}, {99.9, 30}}},
        // 990 frames of 10 ms and 10 of 50 ms: the 99th percentile is still 10 ms, the 99.9th 50.
        {"1 % long", Frames(1000, 10, {1, 101, 201, 301, 401, 501, 601, 701, 801, 901}, 50), {{50, 10}, {99.9, 50}}},
    };
    for (const auto& c : cases) {
        const std::vector<PlotPoint> points = FrameTimePercentiles(c.frames);
        ASSERT_FALSE(points.empty()) << c.name;
        EXPECT_LE(points.size(), 200u) << c.name;
        for (const auto& [percent, ms] : c.expected) {
            const auto at = std::find_if(points.begin(), points.end(),
                                         [&](const PlotPoint& p) { return std::abs(p.x - percent) < 1e-9; });
            ASSERT_NE(at, points.end()) << c.name << " " << percent;
            EXPECT_EQ(at->y, ms) << c.name << " " << percent;
        }
        for (std::size_t i = 1; i < points.size(); ++i) {
            EXPECT_LT(points[i - 1].x, points[i].x) << c.name;
            EXPECT_LE(points[i - 1].y, points[i].y) << c.name;
        }
    }
    // The 99th percentile of the 1 % case lies between the points at 98.9 % and 99.1 %: all 10 ms
    // up to 99 %, 50 ms beyond.
    for (const PlotPoint& p : FrameTimePercentiles(cases[2].frames)) EXPECT_EQ(p.y, p.x <= 99 ? 10 : 50) << p.x;
    EXPECT_TRUE(FrameTimePercentiles({}).empty());
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

struct Drawn {
    std::string kind;                      // "overtime", "percentiles"
    std::vector<std::string> lineClasses;  // one per polyline
};

// The charts of a section in order, with their polylines; every polyline point inside the plot.
std::vector<Drawn> Svgs(const std::string& html) {
    std::vector<Drawn> svgs;
    const std::regex svg("<svg class=\"plot ([a-z]+)\"");
    const std::regex polyline("<polyline class=\"(pass[0-9])\" data-pass=\"[0-9]+\" points=\"([^\"]*)\"/>");
    const std::regex point("([-0-9.]+),([-0-9.]+)");
    for (std::sregex_iterator it(html.begin(), html.end(), svg), end; it != end; ++it) {
        const std::size_t from = static_cast<std::size_t>(it->position());
        const std::string body = html.substr(from, html.find("</svg>", from) - from);
        Drawn drawn{(*it)[1], {}};
        for (std::sregex_iterator l(body.begin(), body.end(), polyline); l != end; ++l) {
            drawn.lineClasses.push_back((*l)[1]);
            const std::string points = (*l)[2];
            std::size_t count = 0;
            for (std::sregex_iterator p(points.begin(), points.end(), point); p != end; ++p, ++count) {
                const double x = std::stod((*p)[1]);
                const double y = std::stod((*p)[2]);
                EXPECT_TRUE(x >= 58 && x <= 726 && y >= 16 && y <= 204) << x << "," << y;
            }
            EXPECT_GT(count, 0u);
            EXPECT_LE(count, 600u);
        }
        svgs.push_back(drawn);
    }
    return svgs;
}

TEST(FrameTimeChartsSection, DrawsOneLinePerPassWithFramesAndNamesTheOthers) {
    const std::vector<double> steady = Frames(3000, 16.7, {}, 0);
    const std::vector<double> spiky = Frames(3000, 12.5, {100, 2000}, 90);
    const FrameTimeLines first{FrameTimeOverTime(steady, 300), FrameTimePercentiles(steady), ""};
    const FrameTimeLines second{FrameTimeOverTime(spiky, 300), FrameTimePercentiles(spiky), ""};
    const FrameTimeLines unreadable{{}, {}, "run 1: result_x_frames_640_run1.csv cannot be read"};
    const FrameTimeLines partly{FrameTimeOverTime(spiky, 300), FrameTimePercentiles(spiky),
                                "run 2: frame times not recorded"};
    const struct {
        const char* name;
        std::vector<ChartedPass> passes;
        std::vector<std::string> lines;  // the classes of the polylines in each plot
        std::vector<std::string> legend;
    } cases[] = {
        {"one pass", {{"12/1 \xC2\xB7 solo", &first}}, {"pass0"}, {"</svg>12/1 \xC2\xB7 solo</li>"}},
        {"two passes",
         {{"a", &first}, {"b <fast>", &second}},
         {"pass0", "pass1"},
         {"</svg>a</li>", "</svg>b &lt;fast&gt;</li>"}},
        {"a pass without frames",
         {{"a", nullptr}, {"b", &second}},
         {"pass1"},
         {"</svg>a <span class=\"muted\">\xE2\x80\x94 no frame times recorded</span></li>", "</svg>b</li>"}},
        {"a capture that cannot be read, another partly",
         {{"a", &unreadable}, {"b", &partly}},
         {"pass1"},
         {"\xE2\x80\x94 run 1: result_x_frames_640_run1.csv cannot be read",
          "\xE2\x80\x94 run 2: frame times not recorded"}},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = FrameTimeChartsSection(
            "640\xC3\x97"
            "480",
            c.passes, ',');
        std::string html;
        for (const std::string& line : lines) html += line + "\n";
        const std::vector<Drawn> svgs = Svgs(html);
        ASSERT_EQ(svgs.size(), 2u) << c.name;
        EXPECT_EQ(svgs[0].kind, "overtime") << c.name;
        EXPECT_EQ(svgs[1].kind, "percentiles") << c.name;
        EXPECT_EQ(svgs[0].lineClasses, c.lines) << c.name;
        EXPECT_EQ(svgs[1].lineClasses, c.lines) << c.name;
        for (const std::string& entry : c.legend)
            EXPECT_NE(html.find(entry), std::string::npos) << c.name << ": " << entry;
        // The legend's swatches match the drawn lines.
        const std::string legend = html.substr(0, html.find("</ul>"));
        std::vector<std::string> swatches;
        const std::regex swatch("<path class=\"(pass[0-9])\"");
        for (std::sregex_iterator it(legend.begin(), legend.end(), swatch), end; it != end; ++it)
            swatches.push_back((*it)[1]);
        EXPECT_EQ(swatches, c.lines) << c.name;
        EXPECT_EQ(Count(legend, "<li>"), c.passes.size()) << c.name;
        EXPECT_NE(html.find(">99,9 %</text>"), std::string::npos) << c.name;
        for (const char* absent : {"nan", "inf", "<script", "http", "url("}) {
            EXPECT_EQ(html.find(absent), std::string::npos) << c.name << ": " << absent;
        }
    }
    // No pass with a line: the legend says why, and no empty plots are drawn.
    std::string html;
    for (const std::string& line : FrameTimeChartsSection("640", {{"a", &unreadable}, {"b", nullptr}}, '.'))
        html += line;
    EXPECT_EQ(Svgs(html).size(), 0u);
    EXPECT_EQ(Count(html, "<li>"), 2u);
    EXPECT_NE(html.find("cannot be read"), std::string::npos);
}

}  // namespace
