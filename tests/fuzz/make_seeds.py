#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into tests/fuzz/corpus/.

The seeds are committed; run this again after changing an input layout of a
target (the layouts are described at the top of each fuzz_*.cpp).
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

# InterestingDouble's table (fuzz_support.h): name -> selector byte.
VALUE = {
    "0": 0, "-0": 1, "1": 2, "-1": 3, "0.5": 4, "60": 5, "6.8f": 6, "6.5": 7, "5.5": 8,
    "5.49": 9, "40": 10, "30": 11, "1e-310": 12, "-1e-310": 13, "min_subnormal": 14,
    "min_normal": 15, "max": 16, "-max": 17, "1e300": 18, "-1e300": 19, "2^63-1024": 20,
    "-2^63": 21, "int_max": 22, "int_min": 23, "2^31": 24, "0.125": 25, "2.5": 26,
    "-2.5": 27, "0.15": 28, "1e22": 29, "inf": 30, "-inf": 31, "nan": 32,
    "123456789.125": 33, "1e74": 34, "1e75": 35,
}


def value(name):
    return bytes([VALUE[name]])


def raw(x):
    return b"\x80" + struct.pack("<d", x)


def small(quarter_units):
    """A value of quarter_units / 4 (-32..31.75)."""
    return bytes([100, quarter_units & 0xFF])


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


NAME63 = "abcdefghij_klmnopqrst_uvwxyzABCD_EFGHIJKLMN_OPQRSTUVWX_YZ012456"
NAME64 = NAME63 + "7"
assert len(NAME63) == 63 and len(NAME64) == 64


def expression_seeds():
    this_tool = [
        "min(0.5*w,20)", "0.1*w", "0.5*w", "0.5*w/0.5", "k>=6.5", "k>=5.5",
        "2^3^2", "-2^2", "2^-1", "1<2<3", "1 && 0 || 1", "!!5", "+ + 5",
        "1 ? 2 : 3 ? 4 : 5", "1 ? 1 : 1/0", "w**2", "5+1/0", "-7%3", "mod(7.5,2)",
        "sqrt(-1)", "log10(100)", "abs (-3)", "round(-2.5)", "cbrt(-8)", "sign(0)",
        "min(1,2,3)", "sqrt(4,1)", "foo(1)", "W", "w k", "w\t", "w\x0b", ".5", "5.",
        "1e3", ".", "0x10", "0x1.8p3", "1e999", "1/1e999", "2w", "1=1", "(1+2", "1?2",
        "max(w,k)>=w ? exp(1) : floor(2.5)+ceil(-2.5)", "0.1000000000000000055511151231257827",
        "2.2250738585072011e-308", "9007199254740993", "1" + "0" * 400,
        "(" * 300 + "1" + ")" * 300, "-" * 300 + "1", "2^" * 300 + "1",
        "0x1.fffffffffffff8p1023", "0x1p-1075", "2.4703282292062327e-324", "4.9406564584124654e-324",
        "0.4999999999999999722444243843710864894092082977294921874999999999",
        "9007199254740993.000000000000000000001", "1.7976931348623158e308", "123456789012345678901234567890e-40",
    ]
    for i, text in enumerate(this_tool):
        write("fuzz_expression", "tool-%02d" % i, b"\x00" + text.encode())
    wide = [
        NAME63, NAME64, NAME63 + "*2", "o15+insulin", "calcium", "min", "min(min,1)",
        "_+x1*x2-x3", "x4/x6", "a_rather_long_input_name_of_forty_chars_", "glucose50",
        "cond>=3 && calcium>=20", NAME63 + "(1)",
    ]
    for i, text in enumerate(wide):
        write("fuzz_expression", "wide-%02d" % i, b"\x01" + text.encode())
    write("fuzz_expression", "novars", b"\x02w+1")
    write("fuzz_expression", "raw-inputs",
          b"\x80" + struct.pack("<dd", 1e308, float("nan")) + b"w*k+min(w,k)")
    write("fuzz_expression", "values-7", b"\x1c" + b"k==k ? w : -w")


# Template pieces of fuzz_format.cpp, in order (byte 0x80 + index).
PIECES = [
    "%ls", "%d", "%02d", "%03d", "%04d", "%-6d", "%5d", "%lld", "%02lld", "%04lld", "%-4lld",
    "%c", "%g", "%f", "%.0f", "%.1f", "%.2f", "%.3f", "%.6f", "%.9f", "%%", "%", "%l", "%.",
    "%.f", "%10", "%-", "%0", "%ll", "%5.1f", "%s", "%x", "%i", "%u", "\r\n",
]


def template(*parts):
    out = b""
    for part in parts:
        if part == "：":
            out += b"\x00"
        elif part in PIECES:
            out += bytes([0x80 + PIECES.index(part)])
        else:
            out += part.encode("ascii")
    return out


def arg_int(n):
    return b"\x00" + struct.pack("<i", n)


def arg_long(n):
    return b"\x01" + struct.pack("<q", n)


def arg_double(selector_bytes):
    return b"\x02" + selector_bytes


def arg_text(length):
    return b"\x03" + bytes([length])


def arg_char(unit):
    return b"\x04" + struct.pack("<H", unit)


def format_seeds():
    def bounded(name, capacity, args, tmpl):
        write("fuzz_format", name, b"\x00" + struct.pack("<H", capacity) + bytes([len(args)]) + b"".join(args) + tmpl)

    bounded("line", 256, [arg_text(7), arg_text(4), arg_text(2)], template("%ls", "：", "%ls", " ", "%ls", "\r\n"))
    bounded("line-cut", 20, [arg_text(30), arg_text(4), arg_text(2)], template("%ls", "：", "%ls", " ", "%ls", "\r\n"))
    bounded("date", 11, [arg_long(-768), arg_long(2), arg_long(4)], template("%04lld", "-", "%02lld", "-", "%02lld"))
    bounded("date-cut", 5, [arg_long(10000), arg_long(1), arg_long(1)], template("%04lld", "-", "%02lld", "-", "%02lld"))
    bounded("ints", 64, [arg_int(-5), arg_int(7), arg_int(2147483647), arg_int(-2147483648)],
            template("%04d", "|", "%03d", "|", "%d", "|", "%-6d", "|"))
    bounded("g", 64, [arg_double(value("1e22")), arg_double(raw(1234567.0)), arg_double(raw(0.00001))],
            template("%g", " ", "%g", " ", "%g"))
    bounded("fixed", 400, [arg_double(value("max")), arg_double(value("0.125")), arg_double(value("-0"))],
            template("%.1f", " ", "%.2f", " ", "%.0f"))
    bounded("percent", 16, [arg_double(value("0.15"))], template("%.1f", "%%"))
    bounded("char", 8, [arg_char(0x4E2D), arg_char(ord("x"))], template("%c", "%c"))
    bounded("mismatch", 32, [arg_text(3)], template("%d", "%ls"))
    bounded("missing-arg", 32, [], template("%d"))
    bounded("bad-conv", 32, [arg_int(1)], template("%x", "%", "%l"))
    bounded("capacity-0", 0, [arg_int(1)], template("abc"))
    bounded("capacity-1", 1, [], template("abcdef"))
    bounded("capacity-4", 4, [], template("abcdef"))
    bounded("capacity-7", 7, [], template("abcdef"))
    bounded("negative-capacity", 0xFFF3, [], template("abc"))

    def append(name, capacity, existing, args, tmpl):
        write("fuzz_format", name, b"\x01" + struct.pack("<HH", capacity - 1, existing) + bytes([len(args)]) + b"".join(args) + tmpl)

    append("append-cr-only", 10, 6, [], template("xy"))
    append("append-no-break", 10, 7, [], template("xyz"))
    append("append-full", 10, 9, [], template("xyz"))
    append("append-long", 1100, 0, [arg_text(39)] * 8, template(*(["%ls"] * 8), *(["%.9f"] * 0)))
    append("append-over-511", 2000, 3, [arg_double(value("1e300"))] * 3, template("%f", "%f", "%.3f"))

    def fvalue(name, code, capacity, val):
        write("fuzz_format", name, b"\x02" + bytes([code]) + struct.pack("<H", capacity) + val)

    codes = ["f0", "f1", "f2", "f3", "int", "pct", "date", "", "F1", "f1 ", "f", "pc", "dat"]
    fvalue("value-f1-20", codes.index("f1"), 128, raw(20.0))
    fvalue("value-f1-005", codes.index("f1"), 128, raw(0.05))
    fvalue("value-f0-tie", codes.index("f0"), 128, value("2.5"))
    fvalue("value-int", codes.index("int"), 128, raw(3.5))
    fvalue("value-pct", codes.index("pct"), 128, raw(0.256))
    fvalue("value-date", codes.index("date"), 128, raw(19782.9))
    fvalue("value-date-neg", codes.index("date"), 128, raw(-0.5))
    fvalue("value-date-huge", codes.index("date"), 128, value("2^63-1024"))
    fvalue("value-date-min", codes.index("date"), 128, value("-2^63"))
    fvalue("value-nan", codes.index("date"), 128, value("nan"))
    fvalue("value-upper", codes.index("F1"), 128, raw(7.0))
    fvalue("value-null-code", 250, 128, raw(7.0))
    fvalue("value-1e74", codes.index("f3"), 128, value("1e74"))
    fvalue("value-1e75", codes.index("f3"), 128, value("1e75"))
    fvalue("value-cut", codes.index("f3"), 3, value("123456789.125"))
    fvalue("value-neg-zero", codes.index("f1"), 128, raw(-0.04))
    fvalue("value-capacity-0", codes.index("f1"), 0, raw(20.0))
    fvalue("value-capacity-1", codes.index("date"), 1, raw(19782.0))

    def number(name, conversion, val):
        write("fuzz_format", name, b"\x03" + bytes([conversion]) + val)

    number("number-g", 0, raw(1234567.0))
    number("number-g-small", 0, raw(0.00001))
    number("number-f", 1, value("max"))
    number("number-f0-tie", 2, raw(0.5))
    number("number-f2-tie", 4, value("0.125"))
    number("number-f9-subnormal", 11, value("min_subnormal"))


def computation_seeds():
    def seed(name, mode, kind, report_cap, verdict_extra, copy_cap, inputs, shape=0, script=b"", raw_kind=None):
        values = b"".join(inputs) + value("0") * (16 - len(inputs))
        kind_bytes = bytes([kind]) if raw_kind is None else b"\xf0" + struct.pack("<i", raw_kind)
        write("fuzz_computation", name, bytes([mode]) + kind_bytes + struct.pack("<H", report_cap - 13)
              + bytes([verdict_extra]) + struct.pack("<H", copy_cap - 1) + values + struct.pack("<I", shape) + script)

    kind0 = 2  # kind byte 2 -> kind 0
    seed("defaults", 0, kind0, 4096, 39, 8192, [value("60"), value("6.8f")])
    seed("w50-k5", 0, kind0, 4096, 20, 8192, [raw(50.0), raw(5.0)])
    seed("w45-k5.5", 0, kind0, 4096, 20, 8192, [raw(45.0), value("5.5")])
    seed("w30", 0, kind0, 4096, 20, 8192, [value("30"), value("6.8f")])
    seed("w-negative", 0, kind0, 4096, 20, 8192, [raw(-10.0), value("6.8f")])
    seed("w-nan", 0, kind0, 4096, 20, 8192, [value("nan"), value("nan")])
    seed("w-inf", 0, kind0, 4096, 20, 8192, [value("inf"), value("6.5")])
    seed("w-huge", 0, kind0, 4096, 0, 8192, [value("1e300"), value("5.49")])
    seed("report-20", 0, kind0, 20, 0, 8192, [value("60"), value("6.8f")])
    seed("report-25", 0, kind0, 25, 0, 8192, [value("60"), value("6.8f")])
    seed("copy-small", 0, kind0, 4096, 0, 7, [value("60"), value("6.8f")])
    report_tool = 1 << 1
    for kind in range(-1, 13):
        seed("kind-%d" % kind, report_tool, kind + 2, 4096, 0, 8192, [])
        seed("generate-kind-%d" % kind, report_tool | 1, kind + 2, 600, 5, 1, [])
    seed("rota-largest", report_tool | 1, 3, 9000, 0, 1, [raw(40.0), raw(31.0)])
    seed("kind-raw", report_tool | 1, 0, 100, 0, 1, [], 0, b"", -2147483648)
    scripted = 2 << 1
    script = b"\0".join([b"min(0.5*w,20)", b"0.1*w", b"w/0", b"o15+insulin"]) + b"\0" * 13 + b"\0".join(
        [b"k>=6.5", b"1/0", b"", b"k>=5.5"])
    shape = 4 | (4 << 5) | (3 << 9) | (2 << 11) | (1 << 13)
    seed("scripted", scripted, kind0, 4096, 0, 8192, [value("60"), value("6.8f")], shape, script)
    seed("wide", 3 << 1, kind0, 4096, 0, 8192, [value("60"), value("6.8f")])
    seed("wide-cut", 3 << 1, kind0, 40, 0, 9, [value("1e300"), value("nan")])


def selftest_seeds():
    def seed(name, capacity, line):
        write("fuzz_selftest_request", name, struct.pack("<H", capacity) + line)

    marker = b"\x80"
    seed("plain", 520, b"ordavel.exe " + marker + b" out.txt")
    seed("alone", 520, b"ordavel " + marker)
    seed("blanks", 520, b"ordavel " + marker + b"   ")
    seed("quoted", 520, b"ordavel " + marker + b' "my dir/out file.txt" rest')
    seed("unterminated-quote", 520, b"ordavel " + marker + b' "my dir')
    seed("empty-quotes", 520, b"ordavel " + marker + b' ""')
    seed("glued", 520, b"ordavel " + marker + b"=out.txt")
    seed("upper", 520, b"ordavel \x81 out.txt")
    seed("in-path", 520, b"C:\\x" + marker + b"\\ordavel.exe run")
    seed("program-path", 520, b"\x84" + marker + b" \x85")
    seed("tab", 520, b"ordavel " + marker + b"\x87out.txt")
    seed("twice", 520, b"ordavel " + marker + b" a.txt " + marker + b" b.txt")
    seed("too-long", 520, b"ordavel " + marker + b" \x88\x88")
    seed("just-fits", 13, b"ordavel " + marker + b" " + b"p" * 12)
    seed("one-over", 13, b"ordavel " + marker + b" " + b"p" * 13)
    seed("near", 520, b"\x82 \x83 x")
    seed("capacity-0", 0, b"ordavel " + marker)
    seed("default-does-not-fit", 12, b"ordavel " + marker)


def input_field_seeds():
    for i, text in enumerate([
        b"60", b"6.8", b"  6.8  ", b"", b"   ", b"6,8", b"6.8kg", b"abc", b"-10", b".5", b"5.",
        b"1e3", b"1e-400", b"\x82", b"\x80", b"\x81", b"\x83", b"0x10", b"+5", b"\t5", b"5\t",
        b"\x84", b"\x85" + b"5", b"\x86" + b"5", b"\x875", b"\x88", b"\x8b", b"- 5", b"--5",
        b"6.8 6.8", b"1e", b"1e+", b"0.1000000000000000055511151231257827",
        b"2.2250738585072011e-308", b"9007199254740993",
    ]):
        write("fuzz_input_field", "field-%02d" % i, text)


def main():
    if os.path.isdir(CORPUS):
        shutil.rmtree(CORPUS)
    expression_seeds()
    format_seeds()
    computation_seeds()
    selftest_seeds()
    input_field_seeds()


if __name__ == "__main__":
    main()
