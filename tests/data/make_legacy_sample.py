#!/usr/bin/env python3
"""Writes legacy-narrow.dat: a list file as older versions wrote it, with
narrow (Windows-1252) strings next to UTF-16 ones and every length form.
Assembled byte by byte here, independently of the program's own writer."""
import struct
import sys


def narrow(data: bytes, form: str = "byte") -> bytes:
    n = len(data)
    if form == "byte":
        return bytes([n]) + data
    if form == "word":
        return b"\xff" + struct.pack("<H", n) + data
    return b"\xff\xff\xff" + struct.pack("<I", n) + data


def wide(text: str, form: str = "byte") -> bytes:
    units = text.encode("utf-16-le")
    n = len(units) // 2
    if form == "byte":
        prefix = bytes([n])
    elif form == "word":
        prefix = b"\xff" + struct.pack("<H", n)
    else:
        prefix = b"\xff\xff\xff" + struct.pack("<I", n)
    return b"\xff\xfe\xff" + prefix + units


def item(name, icon, desc, done, dated, price, date):
    year, month, dow, day, hour, minute, second, ms = date
    return (name + struct.pack("<i", icon) + desc + struct.pack("<ii", done, dated)
            + struct.pack("<d", price)
            + struct.pack("<8H", year, month, dow, day, hour, minute, second, ms))


def lst(name, icon, items):
    return name + struct.pack("<ii", icon, len(items)) + b"".join(items)


data = struct.pack("<i", 2)
data += lst(narrow(b"Einkauf"), 9, [
    item(narrow(b"Caf\xe9"), 12, narrow(b"Line one\r\nLine two"), 1, 1, 4.99,
         (2002, 3, 4, 7, 13, 15, 0, 0)),
    # Milliseconds and a wrong day of week are ignored when read.
    item(wide("Tee \u20ac", "byte"), 6, narrow(b"a" * 300, "word"), 0, 0, 0.0,
         (1998, 1, 0, 1, 0, 0, 0, 999)),
])
data += lst(wide("\u03a9 list", "dword"), -1, [
    item(narrow(b"xyz", "dword"), 5, wide(""), 0, 1, -2.5,
         (2037, 12, 0, 31, 23, 59, 59, 0)),
])

out = sys.argv[1] if len(sys.argv) > 1 else "legacy-narrow.dat"
with open(out, "wb") as f:
    f.write(data)
