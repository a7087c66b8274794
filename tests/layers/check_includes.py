#!/usr/bin/env python3
"""Reads every #include of the product's code and fails on one that points
up or sideways in the layers, names a file that is not there, or brings an
OS or toolkit header outside platform/ and the front ends.

    check_includes.py SOURCE_ROOT      check the tree
    check_includes.py --self-test      check the checker on trees of its own
"""
import os
import re
import sys
import tempfile

PRODUCT_FOLDERS = ("app", "engine", "reports", "computation", "records", "ui", "platform")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp")

# What each layer may include, itself included. Platform lies beside the
# stack: the engine core never uses it, the report kinds for today's date.
CORE = {"engine"}
REPORTS = CORE | {"reports", "platform"}
COMPUTATION = REPORTS | {"computation"}
RECORDS = COMPUTATION | {"records", "platform"}
WINDOW = RECORDS | {"ui"}
ALLOWED = {
    "platform": {"platform"},
    "engine": CORE,
    "reports": REPORTS,
    "computation": COMPUTATION,
    "records": RECORDS,
    "ui": WINDOW,
    "win32": WINDOW | {"win32"},
    "fltk": WINDOW | {"fltk"},
    "app": WINDOW | {"app"},
}
# Layers whose files may include OS and toolkit headers.
OS_LAYERS = {"platform", "win32", "fltk"}

STANDARD_HEADERS = set("""
algorithm any array atomic bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
cinttypes climits clocale cmath compare complex concepts condition_variable cstdarg cstddef
cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque exception execution expected
filesystem format forward_list fstream functional future initializer_list iomanip ios iosfwd
iostream istream iterator limits list locale map memory memory_resource mutex new numbers
numeric optional ostream queue random ranges ratio regex scoped_allocator set shared_mutex
source_location span sstream stack stdexcept stop_token streambuf string string_view
system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set utility
valarray variant vector version
""".split())

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(path):
    """The layer of a file by its path relative to the source root."""
    if path.startswith("ui/win32/"):
        return "win32"
    if path.startswith("ui/fltk/"):
        return "fltk"
    return path.split("/", 1)[0]


def product_files(root):
    for folder in PRODUCT_FOLDERS:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(directory, name)
                    yield os.path.relpath(full, root).replace(os.sep, "/")


def faults(root):
    found = []
    for path in product_files(root):
        layer = layer_of(path)
        with open(os.path.join(root, path), encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quote, target = match.groups()
                where = f"{path}:{number}: {quote}{target}"
                if quote == "<":
                    if target not in STANDARD_HEADERS and layer not in OS_LAYERS:
                        found.append(f"{where}: OS or toolkit header outside platform/ and the front ends")
                    continue
                if not os.path.isfile(os.path.join(root, target)):
                    found.append(f"{where}: no such file under the source root")
                    continue
                target_layer = layer_of(target)
                if target_layer not in ALLOWED.get(layer, set()):
                    found.append(f"{where}: {layer} may not include {target_layer}")
    return found


def check_tree(root):
    problems = faults(root)
    for problem in problems:
        print(problem)
    count = sum(1 for _ in product_files(root))
    print(f"{count} files read, {len(problems)} faulty includes")
    return 1 if problems else 0


def self_test():
    """Each case is a small tree: its files and the faults the checker must report."""
    cases = [
        ("downward includes pass",
         {"engine/format.h": "#include <cstdint>\n", "reports/a.cpp": '#include "engine/format.h"\n'}, 0),
        ("the engine core may not include the report kinds",
         {"reports/r.h": "", "engine/format.cpp": '#include "reports/r.h"\n'}, 1),
        ("the report kinds may not include the computation",
         {"computation/computation.h": "", "reports/r.cpp": '#include "computation/computation.h"\n'}, 1),
        ("the front ends never include each other",
         {"ui/fltk/w.h": "", "ui/win32/w.cpp": '#include "ui/fltk/w.h"\n'}, 1),
        ("ui may not include a front end",
         {"ui/win32/w.h": "", "ui/commands.cpp": '#include "ui/win32/w.h"\n'}, 1),
        ("OS headers stay in platform and the front ends",
         {"platform/p.cpp": "#include <unistd.h>\n", "ui/win32/m.cpp": "#include <windows.h>\n",
          "engine/e.cpp": "#include <windows.h>\n", "app/main.cpp": "# include <windows.h>\n"}, 2),
        ("a missing file is a fault",
         {"records/log.cpp": '#include "records/gone.h"\n'}, 1),
    ]
    failures = 0
    for name, files, expected in cases:
        with tempfile.TemporaryDirectory() as root:
            for path, text in files.items():
                os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as out:
                    out.write(text)
            got = len(faults(root))
        status = "ok" if got == expected else "FAILED"
        failures += got != expected
        print(f"{status}: {name} ({got} faults, expected {expected})")
    return 1 if failures else 0


if __name__ == "__main__":
    if sys.argv[1:] == ["--self-test"]:
        sys.exit(self_test())
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(check_tree(sys.argv[1]))
