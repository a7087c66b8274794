#!/usr/bin/env python3
"""Checks record-log files written by records_concurrent_writer.

concurrent: two writers save 500 records each into one new file at once;
            the file must hold one mark, one header and 1000 whole records.
csv:        the file read back with Python's csv module starts with the
            header row of this tool.
"""
import argparse
import csv
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

BOM = b"\xef\xbb\xbf"
HEADER = "时间,工具,体重,血钾,结果\r\n"
RECORD = re.compile(
    r"2026-12-07 10:15:25,Ordavel,体重=(\d+),血钾=(\d+),写入者 \1 第 \2 条\r\n"
    r"校验行 \1-\2 \.{47}\r\n"
    r"末行\r\n"
    r"\r\n")


def program_path(args, path):
    # Wine maps the host's root to drive Z:.
    return "Z:" + path.replace("/", "\\") if args.emulator else path


def writer_command(args, app_data, writer, count, start=None):
    command = [args.writer, program_path(args, app_data), str(writer), str(count)]
    if start:
        command.append(program_path(args, start))
    return ([args.emulator] if args.emulator else []) + command


def record_file(app_data):
    return os.path.join(app_data, "TarnMedSuite", "records", "T022.csv")


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check_concurrent(args, app_data):
    count = 500
    start = os.path.join(os.path.dirname(app_data), "start")
    writers = [subprocess.Popen(writer_command(args, app_data, w, count, start)) for w in (1, 2)]
    # Both are up (under Wine that takes a while) before either may begin.
    time.sleep(3 if args.emulator else 0.5)
    open(start, "w").close()
    codes = [w.wait() for w in writers]
    if codes != [0, 0]:
        fail(f"writers ended with {codes}")
    with open(record_file(app_data), "rb") as f:
        data = f.read()
    if not data.startswith(BOM):
        fail("the file does not begin with the byte-order mark")
    if data.count(BOM) != 1:
        fail(f"{data.count(BOM)} byte-order marks")
    text = data[len(BOM):].decode("utf-8", errors="replace")
    if not text.startswith(HEADER) or text.count("时间,工具") != 1:
        fail("the header is not there exactly once, first")
    seen = {1: [], 2: []}
    position = len(HEADER)
    while position < len(text):
        match = RECORD.match(text, position)
        if not match:
            fail(f"no whole record at character {position}: {text[position:position + 120]!r}")
        seen[int(match.group(1))].append(int(match.group(2)))
        position = match.end()
    total = len(seen[1]) + len(seen[2])
    for writer, numbers in seen.items():
        if numbers != list(range(count)):
            fail(f"writer {writer}: {len(numbers)} records, not 0..{count - 1} in order")
    # Interleaving between the two writers shows they really ran at once.
    switches = sum(1 for a, b in zip(RECORD.findall(text), RECORD.findall(text)[1:]) if a[0] != b[0])
    print(f"{total} whole records, one header; the writers took turns {switches} times")


def check_csv(args, app_data):
    code = subprocess.call(writer_command(args, app_data, 1, 2))
    if code != 0:
        fail(f"writer ended with {code}")
    with open(record_file(app_data), newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    if rows[0] != ["时间", "工具", "体重", "血钾", "结果"]:
        fail(f"first row {rows[0]!r}")
    if rows[1] != ["2026-12-07 10:15:25", "Ordavel", "体重=1", "血钾=0", "写入者 1 第 0 条"]:
        fail(f"second row {rows[1]!r}")
    # Without the mark stripped, the first cell carries it: exactly one mark.
    with open(record_file(app_data), newline="", encoding="utf-8") as f:
        first = next(csv.reader(f))
    if first[0] != "\ufeff时间":
        fail(f"first cell read as plain UTF-8: {first[0]!r}")
    print(f"{len(rows)} rows; header {rows[0]}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["concurrent", "csv"])
    parser.add_argument("--writer", required=True)
    parser.add_argument("--emulator", default="")
    args = parser.parse_args()
    scratch = tempfile.mkdtemp(prefix="ordavel-records-")
    try:
        app_data = os.path.join(scratch, "appdata")
        (check_concurrent if args.mode == "concurrent" else check_csv)(args, app_data)
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
