#!/usr/bin/env python3
"""Checks that every test the hazard log cites exists, so that a renamed or
deleted test fails the build instead of leaving the log pointing at nothing.

    check_cited_tests.py HAZARD_LOG BUILD_DIR...

The log cites tests on its "Verified by" lines, each in backticks:
    `ctest_name`                   a test as ctest lists it
    `ctest_name:Suite.Test`        a GoogleTest test of that ctest's binary
A parameterised test is cited without its "/N" index; a cited suite
instance ("Prefix/Suite.Test") must exist with at least one index.

A cited ctest name must be found in one of the build folders (ctest -N); a
cited GoogleTest name is looked up in the binary of its ctest, listed with
--gtest_list_tests (through the build's emulator, Wine, when it has one).
"""
import json
import re
import subprocess
import sys

CITED_LINE = re.compile(r"^\s*[-*]\s*\*\*Verified by:\*\*(.*)$")
CITATION = re.compile(r"`([A-Za-z0-9_]+)(?::([A-Za-z0-9_/.]+))?`")


def citations(log_path):
    """(line number, ctest name, GoogleTest name or None) of every citation."""
    found = []
    with open(log_path, encoding="utf-8") as log:
        for number, line in enumerate(log, 1):
            match = CITED_LINE.match(line)
            if not match:
                continue
            cited = CITATION.findall(match.group(1))
            if not cited:
                sys.exit(f"{log_path}:{number}: a 'Verified by' line that cites no test")
            found.extend((number, test, case or None) for test, case in cited)
    return found


def ctest_commands(build_dir):
    """ctest name -> the command that runs it, for one build folder."""
    listing = subprocess.run(["ctest", "--show-only=json-v1", "--test-dir", build_dir],
                             capture_output=True, text=True, check=True)
    return {test["name"]: test.get("command", []) for test in json.loads(listing.stdout)["tests"]}


def gtest_names(command):
    """Every test of a GoogleTest binary, with and without its index."""
    listing = subprocess.run(command + ["--gtest_list_tests"], capture_output=True, text=True,
                             timeout=300)
    names = set()
    suite = None
    for line in listing.stdout.splitlines():
        if not line.strip() or line.startswith("Running main"):
            continue
        if not line.startswith(" "):
            suite = line.split("#")[0].strip()
            continue
        name = suite + line.split("#")[0].strip()
        names.add(name)
        names.add(re.sub(r"/\d+$", "", name))
    return names


def main(log_path, build_dirs):
    commands = {}
    for build_dir in build_dirs:
        for name, command in ctest_commands(build_dir).items():
            commands.setdefault(name, command)
    listed = {}
    missing = []
    cited = citations(log_path)
    for number, test, case in cited:
        if test not in commands:
            missing.append(f"{log_path}:{number}: no test named {test}")
            continue
        if case is None:
            continue
        if test not in listed:
            listed[test] = gtest_names(commands[test])
        if case not in listed[test]:
            missing.append(f"{log_path}:{number}: {test} has no test {case}")
    for line in missing:
        print(line)
    if missing:
        return 1
    print(f"hazard log: all {len(cited)} cited tests exist ({len(set(t for _, t, _ in cited))} ctest entries)")
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
