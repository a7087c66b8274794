#!/usr/bin/env python3
"""Checks that README.md's Install section names the release files of the
version being built, so that a clinic is never told to install an older one.

    readme_release_names.py [CMAKELISTS [README]]

The version is the one in CMakeLists.txt's project(); the files are those
scripts/package makes for it (the MSI, the zip, the .deb and SHA256SUMS).
Fails when the section misses one of them, or names a release file of any
other version. Defaults: CMakeLists.txt and README.md of this tree.
"""
import os
import re
import sys

PROJECT = re.compile(r"^project\(Ordavel VERSION (\d+\.\d+\.\d+)\b", re.MULTILINE)
# A release file of any version, as scripts/package names them.
RELEASE_FILE = re.compile(r"ordavel-(\d+\.\d+\.\d+)-windows-x64\.(?:msi|zip)"
                          r"|ordavel_(\d+\.\d+\.\d+)-\d+_amd64\.deb")


def release_files(version):
    return [f"ordavel-{version}-windows-x64.msi", f"ordavel-{version}-windows-x64.zip",
            f"ordavel_{version}-1_amd64.deb", "SHA256SUMS"]


def install_section(readme):
    """The text from "## Install" to the next second-level heading."""
    match = re.search(r"^## Install\n(.*?)(?=^## |\Z)", readme, re.MULTILINE | re.DOTALL)
    return match.group(1) if match else None


def main(cmake_path, readme_path):
    with open(cmake_path, encoding="utf-8") as cmake:
        found = PROJECT.search(cmake.read())
    if not found:
        print(f"{cmake_path}: no 'project(Ordavel VERSION x.y.z' line")
        return 1
    version = found.group(1)
    with open(readme_path, encoding="utf-8") as readme:
        section = install_section(readme.read())
    if section is None:
        print(f"{readme_path}: no '## Install' section")
        return 1
    problems = [f"{readme_path}: the Install section does not name {name}"
                for name in release_files(version) if name not in section]
    stale = []
    for match in RELEASE_FILE.finditer(section):
        if (match.group(1) or match.group(2)) != version and match.group(0) not in stale:
            stale.append(match.group(0))
    problems += [f"{readme_path}: the Install section names {name}, not a file of {version}"
                 for name in stale]
    for line in problems:
        print(line)
    if problems:
        return 1
    print(f"README: the Install section names the {version} release files")
    return 0


if __name__ == "__main__":
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    arguments = sys.argv[1:]
    if len(arguments) > 2 or any(a.startswith("-") for a in arguments):
        sys.exit(__doc__)
    cmake_path = arguments[0] if arguments else os.path.join(root, "CMakeLists.txt")
    readme_path = arguments[1] if len(arguments) > 1 else os.path.join(root, "README.md")
    sys.exit(main(cmake_path, readme_path))
