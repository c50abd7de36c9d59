#!/usr/bin/env python3
"""Renders the comparison page of the fixture history in headless Chromium: light, dark, 200 %.

Checks from the rendered DOM that every bar's drawn length is proportional to its score, that
the page fetched nothing, and that text and bars stand out from the background; keeps a
screenshot of each. Usage: compare_page_chromium.py WRITE_COMPARE_PAGE FIXTURES_DIR OUT_DIR
"""
import json
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
  var charts = Array.from(doc.querySelectorAll('svg')).map(function (svg) {
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
    labelPixels: label.getBoundingClientRect().height
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


def main():
    writer, fixtures, out_dir = sys.argv[1:4]
    os.makedirs(out_dir, exist_ok=True)
    work = tempfile.mkdtemp(prefix="lurk-chromium-")
    failures = []
    try:
        page = os.path.join(work, "compare.htm")
        subprocess.run([writer, page] + [os.path.join(fixtures, "history", p) for p in PASSES], check=True)
        with open(os.path.join(work, "harness.htm"), "w", encoding="utf-8") as f:
            f.write(HARNESS)
        # A 1000 pixel window at 100 %, in dark mode, and at 200 % zoom (half as many CSS pixels).
        views = (("light", ["--window-size=1000,1250"]), ("dark", ["--window-size=1000,1250", "--force-dark-mode"]),
                 ("zoom200", ["--window-size=500,1250", "--force-device-scale-factor=2"]))
        for scheme, extra in views:
            profile = tempfile.mkdtemp(prefix="profile-", dir=work)
            dumped = chromium(profile, extra + ["--allow-file-access-from-files", "--virtual-time-budget=10000",
                                                "--dump-dom", "file://" + work + "/harness.htm"])
            found = re.search(r'<pre id="measured">(.*?)</pre>', dumped.stdout, re.S)
            if not found or found.group(1) == "not measured":
                failures.append(scheme + ": the page was not measured\n" + dumped.stdout[-2000:] + dumped.stderr[-2000:])
                continue
            m = json.loads(found.group(1).replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">"))
            print(scheme, "bars (score, drawn px):", [[(b["score"], round(b["width"], 1)) for b in c] for c in m["charts"]])
            check(failures, m["title"] == "Lurkmark comparison", scheme + ": title " + m["title"])
            check(failures, [len(c) for c in m["charts"]] == [3, 1], scheme + ": bars per chart " + str(m["charts"]))
            for chart in m["charts"]:
                unit = max(b["width"] for b in chart) / max(b["score"] for b in chart)
                for b in chart:
                    check(failures, abs(b["width"] - b["score"] * unit) <= 0.5,
                          "%s: bar of %.1f is %.2f px long, not %.2f" % (scheme, b["score"], b["width"], b["score"] * unit))
            check(failures, m["fetched"] == [], scheme + ": the page fetched " + str(m["fetched"]))
            check(failures, m["external"] == 0, scheme + ": the page holds %d outside elements" % m["external"])
            check(failures, sorted(m["notRun"]) == ["No Score", "not run"], scheme + ": " + str(m["notRun"]))
            check(failures, contrast(m["text"], m["background"]) >= 7, scheme + ": body text contrast")
            check(failures, contrast(m["label"], m["background"]) >= 7, scheme + ": chart label contrast")
            check(failures, contrast(m["bar"], m["background"]) >= 3, scheme + ": bar contrast")
            dark = luminance(m["background"]) < 0.1
            check(failures, dark == (scheme == "dark"), scheme + ": background " + str(m["background"]))
            check(failures, m["chartsRight"] <= m["pageWidth"],
                  "%s: charts end at %.1f, the page at %d" % (scheme, m["chartsRight"], m["pageWidth"]))
            # Chart text at least as tall as at 100 % (12 px type) in CSS pixels.
            check(failures, m["labelPixels"] >= 11, "%s: chart labels %.1f px high" % (scheme, m["labelPixels"]))

            shot = os.path.join(out_dir, "compare-page-%s.png" % scheme)
            if os.path.exists(shot):
                os.remove(shot)
            chromium(profile, extra + ["--hide-scrollbars", "--screenshot=" + shot,
                                       "file://" + page])
            check(failures, os.path.exists(shot) and os.path.getsize(shot) > 10000, scheme + ": no screenshot")
        # Printed, the page is A4; the charts scale to the paper's width, so no bar is cut.
        pdf = os.path.join(work, "compare.pdf")
        chromium(tempfile.mkdtemp(prefix="profile-", dir=work),
                 ["--no-pdf-header-footer", "--print-to-pdf=" + pdf, "file://" + page])
        with open(pdf, "rb") as f:
            boxes = re.findall(rb"/MediaBox\s*\[([^\]]*)\]", f.read())
        sizes = {tuple(round(float(v)) for v in box.split()) for box in boxes}
        check(failures, sizes == {(0, 0, 595, 842)}, "printed page sizes " + str(sizes))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    print("checked the page in light and dark mode and at 200 % zoom;", "screenshots in", out_dir)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
