#!/usr/bin/python3
"""Checks a released ordavel.exe: the PE header, the imports, the embedded
manifest and version block, and the link to its debug file.

    pe_check.py EXE DEBUG_FILE VERSION

Prints one line per check; exits non-zero at the first that fails.
"""
import re
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zlib

OBJDUMP = "x86_64-w64-mingw32-objdump"
OBJCOPY = "x86_64-w64-mingw32-objcopy"

# DLLs every Windows 7 x64 has; anything else (api-ms-win-*, ucrtbase,
# the MinGW runtime DLLs) would keep the program from starting on a bare one.
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "msvcrt.dll",
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll",
    "shlwapi.dll", "uxtheme.dll", "version.dll", "imm32.dll", "winmm.dll",
}

# Functions of those DLLs that Windows 7 lacks (Windows 8 and later, or
# Windows 7 only with later updates).
NEWER_THAN_WINDOWS_7 = {
    # kernel32
    "GetSystemTimePreciseAsFileTime", "CreateFile2", "CopyFile2", "GetCurrentThreadStackLimits",
    "GetOverlappedResultEx", "CreateFileMappingFromApp", "MapViewOfFileFromApp",
    "PrefetchVirtualMemory", "SetThreadInformation", "GetThreadInformation",
    "GetProcessInformation", "SetProcessInformation", "GetProcessMitigationPolicy",
    "SetProcessMitigationPolicy", "SetDefaultDllDirectories", "AddDllDirectory",
    "RemoveDllDirectory", "InitializeSynchronizationBarrier", "EnterSynchronizationBarrier",
    "DeleteSynchronizationBarrier", "WaitOnAddress", "WakeByAddressSingle", "WakeByAddressAll",
    "GetFirmwareType", "GetPackageFamilyName", "GetCurrentPackageId", "GetCurrentPackageFullName",
    "SetThreadDescription", "GetThreadDescription", "GetSystemCpuSetInformation",
    "VirtualAlloc2", "MapViewOfFile3", "GetSystemFirmwareTable2", "CreatePseudoConsole",
    # user32
    "SetProcessDpiAwarenessContext", "GetDpiForWindow", "GetDpiForSystem",
    "GetSystemMetricsForDpi", "AdjustWindowRectExForDpi", "EnableNonClientDpiScaling",
    "SystemParametersInfoForDpi", "GetWindowDpiAwarenessContext", "GetThreadDpiAwarenessContext",
    "SetThreadDpiAwarenessContext", "GetAwarenessFromDpiAwarenessContext",
    "AreDpiAwarenessContextsEqual", "GetPointerInfo", "GetPointerType", "EnableMouseInPointer",
    "RegisterPointerInputTarget", "IsImmersiveProcess", "GetDisplayAutoRotationPreferences",
    "SetDisplayAutoRotationPreferences", "LogicalToPhysicalPointForPerMonitorDPI",
    # shcore (Windows 8.1) names, should they come in through another DLL
    "SetProcessDpiAwareness", "GetDpiForMonitor", "GetProcessDpiAwareness",
}

MANIFEST_V1 = "{urn:schemas-microsoft-com:asm.v1}"
MANIFEST_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


def ok(text):
    print(f"  ok  {text}")


def fail(text):
    print(f"  FAILED  {text}", file=sys.stderr)
    sys.exit(1)


def expect(condition, text):
    if not condition:
        fail(text)
    ok(text)


class Image:
    """The parts of a PE32+ file these checks read."""

    def __init__(self, data):
        self.data = data
        (offset,) = struct.unpack_from("<I", data, 0x3C)
        if data[offset:offset + 4] != b"PE\0\0":
            fail("not a PE file")
        (self.machine, sections, self.timestamp, _, self.symbols, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, offset + 4)
        optional = offset + 24
        (self.magic,) = struct.unpack_from("<H", data, optional)
        (self.subsystem_major, self.subsystem_minor) = struct.unpack_from("<HH", data, optional + 48)
        (self.subsystem, self.dll_characteristics) = struct.unpack_from("<HH", data, optional + 68)
        (directories,) = struct.unpack_from("<I", data, optional + 108)
        self.directories = [struct.unpack_from("<II", data, optional + 112 + 8 * i)
                            for i in range(directories)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, virtual_size, address, raw_size, raw_at = struct.unpack_from(
                "<8sIIII", data, table + 40 * i)
            self.sections.append((name.rstrip(b"\0"), address, max(virtual_size, raw_size), raw_at))

    def at(self, rva):
        for _, address, size, raw_at in self.sections:
            if address <= rva < address + size:
                return raw_at + rva - address
        fail(f"address {rva:#x} lies in no section")

    def resources(self):
        """{(type, id): bytes} of every resource, any language."""
        rva, _ = self.directories[2]
        base = self.at(rva)
        found = {}

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                yield key, target

        for kind, names in entries(base):
            for name, languages in entries(base + (names & 0x7FFFFFFF)):
                for _, leaf in entries(base + (languages & 0x7FFFFFFF)):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.at(data_rva)
                    found[(kind, name)] = self.data[start:start + size]
        return found


def version_blocks(data, offset=0, end=None):
    """Walks a VS_VERSIONINFO tree: yields (path of keys, value bytes, type)."""
    end = len(data) if end is None else end
    def walk(at, limit, path):
        while at + 6 <= limit:
            length, value_length, kind = struct.unpack_from("<HHH", data, at)
            if length == 0:
                return
            key_end = at + 6
            while data[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = data[at + 6:key_end].decode("utf-16-le")
            value_at = (key_end + 2 + 3) & ~3
            value_size = value_length * 2 if kind == 1 else value_length
            yield path + (key,), data[value_at:value_at + value_size], kind
            children = (value_at + value_size + 3) & ~3
            yield from walk(children, at + length, path + (key,))
            at = (at + length + 3) & ~3
    yield from walk(offset, end, ())


def check_header(image):
    expect(image.magic == 0x20B and image.machine == 0x8664, "PE32+ for x86-64")
    expect(image.subsystem == 2, "GUI subsystem")
    # Without it Remote Desktop and Citrix run the program under their
    # compatibility layer (MinGW's linker sets it only with --tsaware).
    expect(image.dll_characteristics & 0x8000,
           f"Terminal-Server-aware (DllCharacteristics {image.dll_characteristics:#06x})")
    expect((image.subsystem_major, image.subsystem_minor) <= (6, 1),
           f"subsystem version {image.subsystem_major}.{image.subsystem_minor}: Windows 7 (6.1) may load it")
    expect(image.timestamp == 0, "no link time stamp in the COFF header")
    # (a string table stays: it holds the name ".gnu_debuglink")
    expect(image.symbols == 0, "no COFF symbols")


def check_sections(path, debug_file):
    headers = subprocess.run([OBJDUMP, "-h", path], check=True, capture_output=True, text=True).stdout
    names = re.findall(r"^\s*\d+\s+(\S+)", headers, re.M)
    debug = [name for name in names if name.startswith(".debug") or name.startswith(".zdebug")]
    expect(not debug, f"no debug sections (sections: {' '.join(names)})")
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([OBJCOPY, "--dump-section", f".gnu_debuglink={scratch}/link", path, f"{scratch}/copy"],
                       check=True, capture_output=True)
        content = open(f"{scratch}/link", "rb").read()
    name = content.split(b"\0", 1)[0].decode()
    (crc,) = struct.unpack_from("<I", content, len(content) - 4)
    expect(name == "ordavel.exe.debug", f".gnu_debuglink names {name}")
    expect(crc == zlib.crc32(open(debug_file, "rb").read()),
           f".gnu_debuglink's CRC {crc:08x} matches {debug_file}")


def check_imports(path):
    listing = subprocess.run([OBJDUMP, "-p", path], check=True, capture_output=True, text=True).stdout
    imports = {}
    current = None
    for line in listing.splitlines():
        dll = re.match(r"\s*DLL Name: (\S+)", line)
        if dll:
            current = dll.group(1)
            imports[current] = []
        elif current and re.match(r"^\t[0-9a-f]+\t\s*\d+\s+\S+", line):
            imports[current].append(line.split()[-1])
        elif line.startswith("The ") and current:
            current = None
    expect(imports, "the import table lists DLLs")
    summary = ", ".join(f"{dll} ({len(functions)})" for dll, functions in sorted(imports.items()))
    others = [dll for dll in imports if dll.lower() not in SYSTEM_DLLS]
    expect(not others, f"imports only system DLLs of Windows 7: {summary}")
    functions = {name for names in imports.values() for name in names}
    newer = sorted(functions & NEWER_THAN_WINDOWS_7)
    expect(not newer, f"none of the {len(functions)} imported functions is newer than Windows 7"
           + (f": {', '.join(newer)}" if newer else ""))


def check_manifest(resources):
    expect((RT_MANIFEST, 1) in resources, "manifest resource (type 24, id 1)")
    root = ElementTree.fromstring(resources[(RT_MANIFEST, 1)])
    dependencies = [identity.attrib for identity in root.iter(f"{MANIFEST_V1}assemblyIdentity")]
    expect(any(a.get("name") == "Microsoft.Windows.Common-Controls" and a.get("version") == "6.0.0.0"
               and a.get("publicKeyToken") == "6595b64144ccf1df" for a in dependencies),
           "manifest asks for Common Controls 6")
    systems = {element.get("Id").lower() for element in root.iter(f"{COMPATIBILITY}supportedOS")}
    missing = [name for guid, name in SUPPORTED_OS.items() if guid not in systems]
    expect(not missing and len(systems) == len(SUPPORTED_OS),
           "manifest's supportedOS: " + ", ".join(SUPPORTED_OS.values()))
    levels = [element.attrib for element in root.iter(f"{MANIFEST_V3}requestedExecutionLevel")]
    expect(levels == [{"level": "asInvoker", "uiAccess": "false"}], "manifest's execution level asInvoker")


def check_version(resources, version):
    expect((RT_VERSION, 1) in resources, "version resource")
    blocks = list(version_blocks(resources[(RT_VERSION, 1)]))
    fixed = blocks[0][1]
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed)
    parts = [int(part) for part in version.split(".")] + [0]
    binary = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    dotted = ".".join(map(str, parts))
    expect(signature == 0xFEEF04BD and (file_ms, file_ls) == binary and (product_ms, product_ls) == binary,
           f"FileVersion and ProductVersion numbers {dotted}")
    strings = {path[-1]: value.decode("utf-16-le").rstrip("\0")
               for path, value, kind in blocks if len(path) == 4 and path[1] == "StringFileInfo"}
    expect(strings.get("FileVersion") == version and strings.get("ProductVersion") == version,
           f'FileVersion and ProductVersion texts "{version}"')
    expect(strings.get("ProductName") == "Ordavel" and strings.get("CompanyName"),
           f'ProductName "{strings.get("ProductName")}", CompanyName "{strings.get("CompanyName")}"')


def main(path, debug_file, version):
    image = Image(open(path, "rb").read())
    check_header(image)
    check_sections(path, debug_file)
    check_imports(path)
    resources = image.resources()
    expect(any(kind == RT_GROUP_ICON for kind, _ in resources)
           and sum(kind == RT_ICON for kind, _ in resources) == 7, "icon group with its seven sizes")
    check_manifest(resources)
    check_version(resources, version)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
