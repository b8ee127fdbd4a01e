#!/usr/bin/env python3
"""An exported demo chart read by an EDF+ reader we did not write: every
signal, the sampling rate, and the annotations' count and onsets.
Usage: export_mne.py PATH/TO/lumo PATH/TO/lumo-export"""
import os
import subprocess
import sys
import tempfile

SKIP = 77

try:
    import mne
except ImportError:
    print("SKIPPED: python3-mne cannot be imported (apt-get install python3-mne)")
    sys.exit(SKIP)

lumo, export = sys.argv[1], sys.argv[2]
with tempfile.TemporaryDirectory() as work:
    home = os.path.join(work, "home")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.pop("LUMO_HOME", None)
    subprocess.run([lumo, "--init-home", home, "--sample"], env=env, check=True, stdout=subprocess.DEVNULL)
    edf = os.path.join(work, "chart.edf")
    subprocess.run([export, "edf", "--home", home, "2", "1", "1", "-o", edf], check=True, stdout=subprocess.DEVNULL)

    # The events the chart's mark words hold, counted without the writer's code.
    with open(os.path.join(home, "DAT", "#0000002", "exam_01.ch1"), "rb") as chart:
        data = chart.read()
    channels, fast, ranges = (int.from_bytes(data[o:o + 4], "little") for o in (4, 8, 12))
    record = (channels + 3 * fast) * 5 + 2
    body = data[28 + 4 * ranges:]
    expected = []
    for m in range(len(body) // record):
        mark = int.from_bytes(body[m * record + record - 2:m * record + record], "little")
        onset = 4 * m / 32
        if mark >= 30000:
            expected.append(onset)
            continue
        if mark >= 10000:
            expected.append(onset)
        if (mark // 1000) % 10:
            expected.append(onset)

    raw = mne.io.read_raw_edf(edf, preload=True, verbose="error")
    failures = []
    if len(raw.ch_names) != channels:
        failures.append(f"{len(raw.ch_names)} signals, not {channels}")
    if raw.info["sfreq"] != 32:
        failures.append(f"sampling rate {raw.info['sfreq']}")
    points = 4 * (len(body) // record) - 3
    if raw.n_times < points:
        failures.append(f"{raw.n_times} samples, fewer than the chart's {points}")
    onsets = sorted(round(float(o), 6) for o in raw.annotations.onset)
    if onsets != sorted(round(o, 6) for o in expected):
        failures.append(f"annotation onsets {onsets[:8]}... differ from the marks {expected[:8]}...")
    if not any(d.startswith("Question ") for d in raw.annotations.description):
        failures.append("no question onset among the annotations")
    for failure in failures:
        print("FAILED:", failure)
    if failures:
        sys.exit(1)
    print(f"mne read {channels} signals at 32 Hz and {len(onsets)} annotations")
