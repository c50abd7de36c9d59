#!/usr/bin/env python3
"""Renders comparison pages in headless Chromium: light, dark, 200 %.

Two pages: the fixture history as it is, and passes that recorded frame times (their data
files and captures written here from the fixture's first pass) beside one that did not.
Checks from the rendered DOM that every bar's drawn length is proportional to its score and
the 1 % low strip to its figure on the same scale, that the frame-time charts draw one line
per pass with frames inside the chart, in the colour of its legend entry and distinct from the
other passes', that the legend names each pass as its bar does and says which has no frames,
that the page fetched nothing, and that text, bars and lines stand out from the background;
keeps a screenshot of each. Usage: compare_page_chromium.py WRITE_COMPARE_PAGE FIXTURES_DIR OUT_DIR
"""
import copy
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync"]
PASSES = ["result_12_1_2026_8_00_00_PM.json",   # several runs and a warm-up
          "result_12_5_2026_9_15_00_PM.json",   # one resolution only
          "result_12_8_2026_7_30_00_PM.json"]   # a flagged run, a run without a score

# Loads the page in a frame and writes what the browser drew into <pre id="measured">.
HARNESS = """<!DOCTYPE html><html><body style="margin:0">
<iframe id="page" src="compare.htm" style="width:100%;height:1600px;border:0"></iframe>
<pre id="measured">not measured</pre>
<script>
function colour(text) { return text.match(/[0-9.]+/g).slice(0, 3).map(Number); }
document.getElementById('page').addEventListener('load', function () {
  var win = this.contentWindow, doc = this.contentDocument;
  function box(e) { var b = e.getBoundingClientRect(); return {left: b.left, right: b.right, top: b.top, bottom: b.bottom}; }
  var charts = Array.from(doc.querySelectorAll('svg:not(.plot):not(.swatch)')).map(function (svg) {
    return Array.from(svg.querySelectorAll('rect.bar')).map(function (bar) {
      return {score: parseFloat(bar.dataset.score), width: bar.getBoundingClientRect().width};
    });
  });
  var style = win.getComputedStyle(doc.body);
  var label = doc.querySelector('svg text');
  var bar = doc.querySelector('rect.bar');
  document.getElementById('measured').textContent = JSON.stringify({
    title: doc.title,
    charts: charts,
    fetched: win.performance.getEntriesByType('resource').map(function (e) { return e.name; }),
    external: doc.querySelectorAll('script, link, img, iframe, object, embed').length,
    background: colour(style.backgroundColor),
    text: colour(style.color),
    label: colour(win.getComputedStyle(label).fill),
    bar: colour(win.getComputedStyle(bar).fill),
    notRun: Array.from(doc.querySelectorAll('svg text.muted')).map(function (t) { return t.textContent; }),
    pageWidth: doc.documentElement.clientWidth,
    chartsRight: Math.max.apply(null, Array.from(doc.querySelectorAll('svg')).map(function (s) {
      return s.getBoundingClientRect().right; })),
    labelPixels: label.getBoundingClientRect().height,
    barLabels: Array.from(doc.querySelectorAll('svg:not(.plot):not(.swatch) text[x="0"]:not(.muted)')).map(
      function (t) { return t.textContent; }),
    strips: Array.from(doc.querySelectorAll('rect.low1')).map(function (r) {
      var bar = r.previousElementSibling;
      return {low1: parseFloat(r.dataset.low1), width: r.getBoundingClientRect().width,
              score: parseFloat(bar.dataset.score), barWidth: bar.getBoundingClientRect().width,
              fill: colour(win.getComputedStyle(r).fill), barFill: colour(win.getComputedStyle(bar).fill)};
    }),
    legends: Array.from(doc.querySelectorAll('ul.passes')).map(function (ul) {
      return {texts: Array.from(ul.querySelectorAll('li')).map(function (t) { return t.textContent; }),
              swatches: Array.from(ul.querySelectorAll('path')).map(function (p) {
                return {cls: p.getAttribute('class'), stroke: colour(win.getComputedStyle(p).stroke)}; }),
              right: box(ul).right, scrollWidth: ul.scrollWidth, clientWidth: ul.clientWidth};
    }),
    plots: Array.from(doc.querySelectorAll('svg.plot')).map(function (svg) {
      var b = box(svg);
      return {kind: svg.getAttribute('class'), box: b,
              textsOutside: Array.from(svg.querySelectorAll('text')).filter(function (t) {
                var r = box(t);
                return r.left < b.left - 1 || r.right > b.right + 1 || r.top < b.top - 1 || r.bottom > b.bottom + 1;
              }).map(function (t) { return t.textContent; }),
              lines: Array.from(svg.querySelectorAll('polyline')).map(function (l) {
                return {cls: l.getAttribute('class'), box: box(l), stroke: colour(win.getComputedStyle(l).stroke)};
              })};
    })
  });
});
</script></body></html>
"""


def luminance(rgb):
    def channel(c):
        c = c / 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def chromium(profile, extra):
    return subprocess.run(["chromium"] + CHROMIUM_FLAGS + ["--user-data-dir=" + profile] + extra,
                          capture_output=True, text=True, timeout=120)


def check(failures, condition, message):
    if not condition:
        failures.append(message)


STEADY_FRAMES = 1200   # about 20 s at 60 frames per second, beyond the 600 drawn unreduced
SPIKY_FRAMES = 1500


def frame_times(kind, run):
    """A steady pass with a little jitter, or a faster one with 1 % long frames."""
    if kind == "steady":
        return [16.7 + (0.3 if (i * 7 + run) % 5 == 0 else 0.0) for i in range(STEADY_FRAMES)]
    return [45.0 if i % 100 == 37 else 12.5 for i in range(SPIKY_FRAMES)]


def figures(ms):
    ordered = sorted(ms)
    n = len(ordered)
    at = lambda p: ordered[max(1, math.ceil(p * n - 1e-9)) - 1]
    mean = sum(ms) / n
    median = (ordered[(n - 1) // 2] + ordered[n // 2]) / 2
    return {"frames": n, "averageFps": round(1000 / mean, 2), "p99Ms": round(at(0.99), 3),
            "p999Ms": round(at(0.999), 3), "low1Fps": round(1000 / at(0.99), 2),
            "low01Fps": round(1000 / at(0.999), 2), "worstMs": round(ordered[-1], 3),
            "stddevMs": round(math.sqrt(sum((t - mean) ** 2 for t in ms) / n), 3),
            "stutters": sum(1 for t in ms if t > 2.5 * median)}


def capture_csv(ms):
    """The PresentMon console application's layout, as the program writes its captures."""
    rows = ["Application,ProcessID,SwapChainAddress,Runtime,SyncInterval,PresentFlags,AllowsTearing,PresentMode,"
            "Dropped,TimeInSeconds,MsInPresentAPI,MsBetweenPresents,MsBetweenDisplayChange,MsUntilRenderComplete,"
            "MsUntilDisplayed"]
    elapsed = 0.0
    for t in ms:
        elapsed += t
        rows.append("prey.exe,4242,0x0000000000000000,Other,0,0,0,Unknown,0,%.6f,0.000,%.3f,%.3f,0.000,0.000"
                    % (elapsed / 1000, t, t))
    return "".join(row + "\r\n" for row in rows)


def write_frame_pass(template, folder, stamp, started, note, kind, deleted_run=None):
    """A data file of the template's 640×480 runs with frame times, and its captures beside it."""
    data = copy.deepcopy(template)
    data.update({"started": started, "note": note, "report": "result_%s.htm" % stamp})
    data["options"]["frameTimes"] = True
    data["resolutions"] = [r for r in data["resolutions"] if r["key"] == "640"]
    pooled = []
    for run in data["resolutions"][0]["runs"]:
        ms = frame_times(kind, run["run"])
        name = "result_%s_frames_640_run%d.csv" % (stamp, run["run"])
        run["frameTimes"] = dict(figures(ms), file=name)
        if not run["warmUp"]:
            pooled += ms
        if run["run"] != deleted_run:
            with open(os.path.join(folder, name), "w", newline="") as f:
                f.write(capture_csv(ms))
    data["resolutions"][0]["frameTimes"] = figures(pooled)
    path = os.path.join(folder, "result_%s.json" % stamp)
    with open(path, "w", encoding="utf-8") as f:
        json.dump(data, f, ensure_ascii=False, indent=1)
    return path


def check_bars(failures, scheme, m, bars_per_chart, not_run):
    check(failures, [len(c) for c in m["charts"]] == bars_per_chart, scheme + ": bars per chart " + str(m["charts"]))
    for chart in m["charts"]:
        unit = max(b["width"] for b in chart) / max(b["score"] for b in chart)
        for b in chart:
            check(failures, abs(b["width"] - b["score"] * unit) <= 0.5,
                  "%s: bar of %.1f is %.2f px long, not %.2f" % (scheme, b["score"], b["width"], b["score"] * unit))
    check(failures, sorted(m["notRun"]) == not_run, scheme + ": " + str(m["notRun"]))


def check_frame_charts(failures, scheme, m, background):
    """Two passes with frames (steady, then spiky with run 3's capture gone) and one without."""
    check(failures, len(m["strips"]) == 2, scheme + ": 1 % low strips " + str(m["strips"]))
    for s in m["strips"]:
        expected = s["low1"] * s["barWidth"] / s["score"]
        check(failures, abs(s["width"] - expected) <= 0.5,
              "%s: 1 %% low strip of %.1f is %.2f px, not %.2f" % (scheme, s["low1"], s["width"], expected))
        check(failures, contrast(s["fill"], s["barFill"]) >= 2, scheme + ": strip against its bar")
    check(failures, len(m["legends"]) == 1, scheme + ": legends " + str(m["legends"]))
    if m["legends"]:
        texts = m["legends"][0]["texts"]
        check(failures, len(texts) == 3 and all(t.startswith(l) for t, l in zip(texts, m["barLabels"])),
              "%s: legend %s, bars %s" % (scheme, texts, m["barLabels"]))
        check(failures, len(texts) == 3 and texts[2].endswith("no frame times recorded"), scheme + ": " + str(texts))
        check(failures, len(texts) == 3 and "run 3: result_12_3_2026_8_00_00_PM_frames_640_run3.csv cannot be read"
              in texts[1], scheme + ": " + str(texts))
        swatches = {w["cls"]: w["stroke"] for w in m["legends"][0]["swatches"]}
        legend = m["legends"][0]
        check(failures, legend["right"] <= m["pageWidth"] and legend["scrollWidth"] <= legend["clientWidth"],
              scheme + ": the legend runs off the page " + str(legend))
        check(failures, sorted(swatches) == ["pass0", "pass1"], scheme + ": swatches " + str(swatches))
    check(failures, [p["kind"] for p in m["plots"]] == ["plot overtime", "plot percentiles"],
          scheme + ": plots " + str([p["kind"] for p in m["plots"]]))
    for plot in m["plots"]:
        check(failures, plot["textsOutside"] == [], "%s: %s cut off in %s" % (scheme, plot["textsOutside"], plot["kind"]))
        lines = plot["lines"]
        check(failures, [l["cls"] for l in lines] == ["pass0", "pass1"], scheme + ": lines of " + plot["kind"])
        if len(lines) != 2:
            continue
        check(failures, lines[0]["stroke"] != lines[1]["stroke"], scheme + ": both lines " + str(lines[0]["stroke"]))
        pb = plot["box"]
        for l in lines:
            b = l["box"]
            check(failures, b["left"] >= pb["left"] - 1 and b["right"] <= pb["right"] + 1 and
                  b["top"] >= pb["top"] - 1 and b["bottom"] <= pb["bottom"] + 1,
                  "%s: %s line %s runs off its chart %s" % (scheme, plot["kind"], b, pb))
            check(failures, b["right"] - b["left"] >= 0.5 * (pb["right"] - pb["left"]),
                  "%s: %s line %s spans too little of the chart" % (scheme, plot["kind"], b))
            check(failures, contrast(l["stroke"], background) >= 3, scheme + ": line contrast " + str(l["stroke"]))
            if m["legends"]:
                check(failures, swatches.get(l["cls"]) == l["stroke"], scheme + ": legend colour of " + l["cls"])
        # The spiky pass's 45 ms frames reach far above the steady pass's 17 ms in both charts.
        steady, spiky = lines[0]["box"], lines[1]["box"]
        check(failures, spiky["top"] < steady["top"] - 0.3 * (pb["bottom"] - pb["top"]),
              "%s: the spikes of %s do not show: %s vs %s" % (scheme, plot["kind"], spiky, steady))


def main():
    writer, fixtures, out_dir = sys.argv[1:4]
    os.makedirs(out_dir, exist_ok=True)
    work = tempfile.mkdtemp(prefix="lurk-chromium-")
    failures = []
    try:
        history = os.path.join(fixtures, "history")
        with open(os.path.join(history, PASSES[0]), encoding="utf-8") as f:
            template = json.load(f)
        frames_folder = os.path.join(work, "frames")
        os.makedirs(frames_folder)
        frame_files = [write_frame_pass(template, frames_folder, "12_2_2026_8_00_00_PM", "2026-12-02T20:00:00+01:00",
                                        "steady", "steady"),
                       write_frame_pass(template, frames_folder, "12_3_2026_8_00_00_PM", "2026-12-03T20:00:00+01:00",
                                        "new card", "spiky", deleted_run=3),
                       os.path.join(history, PASSES[1])]
        # name, data files, bars per chart, muted texts of the bars, screenshot name
        pages = (("compare.htm", [os.path.join(history, p) for p in PASSES], [3, 1], ["No Score", "not run"],
                  "compare-page-%s.png"),
                 ("frames.htm", frame_files, [3], [], "compare-page-frames-%s.png"))
        for name, files, bars_per_chart, not_run, shot_name in pages:
            page = os.path.join(work, name)
            subprocess.run([writer, page] + files, check=True)
            with open(os.path.join(work, "harness.htm"), "w", encoding="utf-8") as f:
                f.write(HARNESS.replace("compare.htm", name))
            check_page(failures, work, page, out_dir, shot_name, bars_per_chart, not_run, name == "frames.htm")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    print("checked both pages in light and dark mode and at 200 % zoom;", "screenshots in", out_dir)
    return 1 if failures else 0


def check_page(failures, work, page, out_dir, shot_name, bars_per_chart, not_run, with_frames):
    # A 1000 pixel window at 100 %, in dark mode, and at 200 % zoom (half as many CSS pixels).
    views = (("light", ["--window-size=1000,1250"]), ("dark", ["--window-size=1000,1250", "--force-dark-mode"]),
             ("zoom200", ["--window-size=500,1250", "--force-device-scale-factor=2"]))
    for scheme, extra in views:
        profile = tempfile.mkdtemp(prefix="profile-", dir=work)
        dumped = chromium(profile, extra + ["--allow-file-access-from-files", "--virtual-time-budget=10000",
                                            "--dump-dom", "file://" + work + "/harness.htm"])
        found = re.search(r'<pre id="measured">(.*?)</pre>', dumped.stdout, re.S)
        scheme_name = os.path.basename(page) + " " + scheme
        if not found or found.group(1) == "not measured":
            failures.append(scheme_name + ": the page was not measured\n" + dumped.stdout[-2000:] + dumped.stderr[-2000:])
            continue
        m = json.loads(found.group(1).replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">"))
        print(scheme_name, "bars (score, drawn px):", [[(b["score"], round(b["width"], 1)) for b in c] for c in m["charts"]])
        check(failures, m["title"] == "Lurkmark comparison", scheme_name + ": title " + m["title"])
        check_bars(failures, scheme_name, m, bars_per_chart, not_run)
        if with_frames:
            check_frame_charts(failures, scheme_name, m, m["background"])
        else:
            check(failures, not m["strips"] and not m["legends"] and not m["plots"], scheme_name + ": frame charts")
        check(failures, m["fetched"] == [], scheme_name + ": the page fetched " + str(m["fetched"]))
        check(failures, m["external"] == 0, scheme_name + ": the page holds %d outside elements" % m["external"])
        check(failures, contrast(m["text"], m["background"]) >= 7, scheme_name + ": body text contrast")
        check(failures, contrast(m["label"], m["background"]) >= 7, scheme_name + ": chart label contrast")
        check(failures, contrast(m["bar"], m["background"]) >= 3, scheme_name + ": bar contrast")
        dark = luminance(m["background"]) < 0.1
        check(failures, dark == (scheme == "dark"), scheme_name + ": background " + str(m["background"]))
        check(failures, m["chartsRight"] <= m["pageWidth"],
              "%s: charts end at %.1f, the page at %d" % (scheme_name, m["chartsRight"], m["pageWidth"]))
        # Chart text at least as tall as at 100 % (12 px type) in CSS pixels.
        check(failures, m["labelPixels"] >= 11, "%s: chart labels %.1f px high" % (scheme_name, m["labelPixels"]))

        shot = os.path.join(out_dir, shot_name % scheme)
        if os.path.exists(shot):
            os.remove(shot)
        chromium(profile, extra + ["--hide-scrollbars", "--screenshot=" + shot, "file://" + page])
        check(failures, os.path.exists(shot) and os.path.getsize(shot) > 10000, scheme_name + ": no screenshot")
    # Printed, the page is A4; the charts scale to the paper's width, so no bar is cut.
    pdf = os.path.join(work, "printed.pdf")
    chromium(tempfile.mkdtemp(prefix="profile-", dir=work),
             ["--no-pdf-header-footer", "--print-to-pdf=" + pdf, "file://" + page])
    with open(pdf, "rb") as f:
        boxes = re.findall(rb"/MediaBox\s*\[([^\]]*)\]", f.read())
    sizes = {tuple(round(float(v)) for v in box.split()) for box in boxes}
    check(failures, sizes == {(0, 0, 595, 842)}, os.path.basename(page) + ": printed page sizes " + str(sizes))
    os.remove(pdf)


if __name__ == "__main__":
    sys.exit(main())
