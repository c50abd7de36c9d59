#!/usr/bin/env python3
"""Writes the result data files of bench/history_bench.sh straight from Linux (through Wine,
100,000 files took half an hour): COUNT passes (result_0.json ...) in FOLDER, taken in turn by
COMPUTERS PCs, two or three resolutions of three runs each, a tenth of them flagged; and one
more pass, result_COUNT.json, in FOLDER.arrival/ for the meter to bring in as a new arrival.
The passes are five minutes apart from 1 January 2025, so every count gives valid dates
(100,000 passes: 50 PCs for a year).
Usage: history_files.py FOLDER COUNT COMPUTERS"""
import datetime
import os
import sys

START = datetime.datetime(2025, 1, 1)


def run(number, score, flagged):
    flags = '{"code": "shortDemo", "text": "The demo ended too soon."}' if flagged else ''
    return ('{"run": %d, "warmUp": false, "ended": "scored", "score": %.1f, "frames": 2000, '
            '"seconds": %.1f, "flags": [%s]}' % (number, score, 2000 / score, flags))


def resolution(key, label, width, height, base, flagged):
    runs = ', '.join([run(1, base, flagged), run(2, base + 1.5, False), run(3, base - 0.7, False)])
    return ('{"key": "%s", "label": "%s", "width": %d, "height": %d, "runs": [%s], "mean": %.2f, '
            '"stddev": 1.10}' % (key, label, width, height, runs, base + 0.27))


def pass_file(i, computers):
    started = (START + datetime.timedelta(minutes=5 * i)).strftime('%Y-%m-%dT%H:%M:00+01:00')
    base = 60 + (i * 37) % 140
    resolutions = [resolution('640', '640\u00d7480', 640, 480, base * 1.6, i % 10 == 0),
                   resolution('1024', '1024\u00d7768', 1024, 768, base, False)]
    if i % 3 == 0:
        resolutions.append(resolution('hdw2', '1920\u00d71080 (HD WideScreen)', 1920, 1080, base / 2, False))
    text = ('{\r\n  "format": "lurkmark-result",\r\n  "formatVersion": 1,\r\n  "program": "1.0",\r\n'
            '  "started": "%s",\r\n  "report": "result_%d.htm",\r\n  "note": "pass %d caf\u00e9",\r\n'
            '  "computer": "LAB-PC-%02d",\r\n'
            '  "machine": [{"label": "Operating system", "value": "Microsoft Windows 10 Pro"}, '
            '{"label": "Processor", "value": "AMD Athlon 64 X2 4800+"}, '
            '{"label": "Driver version", "value": "8.3%d"}],\r\n'
            '  "options": {"demo": "Rivo3V demo", "aspect": "Standard [ 4:3 ]", "shader": "High level", '
            '"antialiasing": "None", "filtering": "Anisotropic 16\u00d7", "boost": "Off", "runs": 3, '
            '"warmUp": false, "timeLimitSeconds": 1800},\r\n'
            '  "resolutions": [%s]\r\n}\r\n') % (started, i, i, i % computers + 1, i % 7, ', '.join(resolutions))
    return text.encode('utf-8')


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    folder, count, computers = sys.argv[1], int(sys.argv[2]), max(1, int(sys.argv[3]))
    arrival = folder.rstrip('/') + '.arrival'
    for path in (folder, arrival):
        os.makedirs(path, exist_ok=True)
    for i in range(count):
        with open(os.path.join(folder, 'result_%d.json' % i), 'wb') as f:
            f.write(pass_file(i, computers))
    with open(os.path.join(arrival, 'result_%d.json' % count), 'wb') as f:
        f.write(pass_file(count, computers))


if __name__ == '__main__':
    main()
