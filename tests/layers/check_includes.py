#!/usr/bin/env python3
"""Reads every #include of the product's code and fails on one that points
up or sideways in the layers, names a file that is not there, or brings an
OS or toolkit header into a layer that may not use them. The layers are the
table of cmake/layers.txt, which the build reads too; README.md must show
the same table lines.

    check_includes.py SOURCE_ROOT      check the tree
    check_includes.py --self-test      check the checker on trees of its own
"""
import collections
import os
import re
import sys
import tempfile

TABLE = "cmake/layers.txt"
README = "README.md"
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp")
# Not a layer: a layer that names it may include OS and toolkit headers.
SYSTEM = "system"

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
# A line of the README that shows a layer (prose may begin with "layer" too).
SHOWN_LINE = re.compile(r"^layer +\S+ +\S+/ +\S+ +may use ")
TABLE_LINE = re.compile(r"^layer +([a-z0-9]+) +([a-z0-9/]+)/ +([a-z0-9_]+) +may use +([a-z0-9 ]+?) *$")


# One line of the table; `uses` names the layers below it that it may use.
Layer = collections.namedtuple("Layer", "name folder library uses")


def table_lines(root):
    """The table's layer lines, as written."""
    with open(os.path.join(root, TABLE), encoding="utf-8") as table:
        return [line.rstrip("\n") for line in table if line.startswith("layer ")]


def read_table(root):
    """The layers, top first, and the faults of the table itself."""
    layers, found = [], []
    with open(os.path.join(root, TABLE), encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            match = TABLE_LINE.match(line)
            if not match:
                found.append(f"{TABLE}:{number}: not 'layer NAME FOLDER/ LIBRARY may use ...'")
                continue
            name, folder, library, uses = match.groups()
            uses = [] if uses == "nothing" else uses.split()
            layers.append(Layer(name, folder, library, uses))
    return layers, found + table_faults(layers)


def table_faults(layers):
    """Each layer uses only layers written below it, so nothing points up."""
    found = []
    names = [layer.name for layer in layers]
    for index, layer in enumerate(layers):
        if names.count(layer.name) > 1:
            found.append(f"{TABLE}: layer {layer.name} is written twice")
        for used in layer.uses:
            if used == SYSTEM:
                continue
            if used not in names:
                found.append(f"{TABLE}: {layer.name} may use {used}, which is no layer")
            elif names.index(used) <= index:
                found.append(f"{TABLE}: {layer.name} may use {used}, which is not below it")
    return found


def allowed_layers(layers):
    """What each layer may include: itself and, through what it uses, every layer below."""
    allowed = {}
    for layer in reversed(layers):
        allowed[layer.name] = {layer.name}.union(*(allowed.get(used, set()) for used in layer.uses))
    return allowed


def layer_of(path, layers):
    """The layer of the longest folder holding `path` (relative to the source root)."""
    holders = [layer for layer in layers if path.startswith(layer.folder + "/")]
    return max(holders, key=lambda layer: len(layer.folder)).name if holders else None


def product_files(root, layers):
    for folder in sorted({layer.folder.split("/", 1)[0] for layer in layers}):
        for directory, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(directory, name)
                    yield os.path.relpath(full, root).replace(os.sep, "/")


def include_fault(root, layers, layer, quote, target):
    """What is wrong with one include of a file of `layer`, or None."""
    if quote == "<":
        system_layers = {each.name for each in layers if SYSTEM in each.uses}
        if target not in STANDARD_HEADERS and layer not in system_layers:
            return f"{layer} may not include OS or toolkit headers"
        return None
    if not os.path.isfile(os.path.join(root, target)):
        return "no such file under the source root"
    target_layer = layer_of(target, layers)
    if target_layer is None:
        return "lies in no layer"
    if target_layer not in allowed_layers(layers)[layer]:
        return f"{layer} may not include {target_layer}"
    return None


def include_faults(root, layers):
    found = []
    for path in product_files(root, layers):
        layer = layer_of(path, layers)
        if layer is None:
            found.append(f"{path}: lies in no layer")
            continue
        with open(os.path.join(root, path), encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                fault = match and include_fault(root, layers, layer, *match.groups())
                if fault:
                    found.append(f"{path}:{number}: {match.group(1)}{match.group(2)}: {fault}")
    return found


def readme_faults(root):
    """README.md shows the table: its layer lines are the table's, in order."""
    with open(os.path.join(root, README), encoding="utf-8") as readme:
        shown = [line.rstrip("\n") for line in readme if SHOWN_LINE.match(line)]
    if shown != table_lines(root):
        return [f"{README}: the layer table differs from {TABLE}"]
    return []


def faults(root):
    layers, found = read_table(root)
    if found:
        return found
    return include_faults(root, layers) + readme_faults(root)


def check_tree(root):
    problems = faults(root)
    for problem in problems:
        print(problem)
    layers, _ = read_table(root)
    count = sum(1 for _ in product_files(root, layers))
    print(f"{count} files read, {len(problems)} faults")
    return 1 if problems else 0


def self_test():
    """Each case is a small tree over this checkout's table (and its README
    copy, unless the case brings its own): its files and the faults the
    checker must report."""
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    with open(os.path.join(here, TABLE), encoding="utf-8") as table:
        real_table = table.read()
    real_readme = "\n".join(table_lines(here)) + "\n"
    upward_table = real_table.replace(
        "tarn_engine_core   may use nothing", "tarn_engine_core   may use reports")
    cases = [
        ("downward includes pass",
         {"engine/format.h": "#include <cstdint>\n", "reports/a.cpp": '#include "engine/format.h"\n',
          "app/x.cpp": '#include "engine/format.h"\n#include "ui/fltk/w.h"\n', "ui/fltk/w.h": ""}, 0),
        ("the report kinds may read the platform's clock",
         {"platform/platform.h": "", "reports/today.cpp": '#include "platform/platform.h"\n'}, 0),
        ("the engine core may not include the report kinds",
         {"reports/r.h": "", "engine/format.cpp": '#include "reports/r.h"\n'}, 1),
        ("the report kinds may not include the computation",
         {"computation/computation.h": "", "reports/r.cpp": '#include "computation/computation.h"\n'}, 1),
        ("the record log includes neither the report kinds nor the computation",
         {"reports/reports.h": "", "computation/computation.h": "",
          "records/log.cpp": '#include "reports/reports.h"\n#include "computation/computation.h"\n'}, 2),
        ("the front ends never include each other",
         {"ui/fltk/w.h": "", "ui/win32/w.cpp": '#include "ui/fltk/w.h"\n'}, 1),
        ("ui may not include a front end",
         {"ui/win32/w.h": "", "ui/commands.cpp": '#include "ui/win32/w.h"\n'}, 1),
        ("OS headers stay in platform and the front ends",
         {"platform/p.cpp": "#include <unistd.h>\n", "ui/win32/m.cpp": "#include <windows.h>\n",
          "engine/e.cpp": "#include <windows.h>\n", "app/main.cpp": "# include <windows.h>\n"}, 2),
        ("a missing file is a fault",
         {"records/log.cpp": '#include "records/gone.h"\n'}, 1),
        ("the product includes nothing outside its layers",
         {"tests/support/text.h": "", "engine/e.cpp": '#include "tests/support/text.h"\n'}, 1),
        ("a README whose table differs is a fault",
         {README: real_readme.replace("may use engine platform", "may use engine", 1)}, 1),
        ("a layer that uses one above it is a fault of the table",
         {TABLE: upward_table}, 1),
        ("a layer that uses no layer is a fault of the table",
         {TABLE: real_table.replace("may use ui platform system", "may use ui platfrom system", 1)}, 1),
        ("a line that is no layer is a fault of the table",
         {TABLE: real_table + "layer broken\n"}, 1),
    ]
    failures = 0
    for name, files, expected in cases:
        with tempfile.TemporaryDirectory() as root:
            tree = {TABLE: real_table, README: real_readme, **files}
            for path, text in tree.items():
                os.makedirs(os.path.dirname(os.path.join(root, path)) or root, exist_ok=True)
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
