#!/usr/bin/env python3
"""Prints the target and the working folder of a Windows shortcut (.lnk),
one per line, read from the Shell Link binary format: the target from the
link information's local base path, the folder from the string data.

Usage: shell_link.py FILE.lnk
"""

import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x1, 0x2, 0x80
STRINGS = (0x4, 0x8, 0x10, 0x20, 0x40)   # name, relative path, working dir, arguments, icon
WORKING_DIR = 0x10


def c_string(data, offset):
    return data[offset:data.index(b"\0", offset)].decode("cp1252")


def main(path):
    with open(path, "rb") as f:
        data = f.read()
    header_size, = struct.unpack_from("<I", data, 0)
    flags, = struct.unpack_from("<I", data, 20)
    offset = header_size
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, _, _, _, base, _, suffix = struct.unpack_from("<7I", data, offset)
        target = c_string(data, offset + base) + c_string(data, offset + suffix)
        offset += size
    working_dir = ""
    for flag in STRINGS:
        if not flags & flag:
            continue
        count, = struct.unpack_from("<H", data, offset)
        offset += 2
        width = 2 if flags & IS_UNICODE else 1
        text = data[offset:offset + count * width].decode("utf-16-le" if width == 2 else "cp1252")
        offset += count * width
        if flag == WORKING_DIR:
            working_dir = text.rstrip("\0")
    print(target)
    print(working_dir)


if __name__ == "__main__":
    main(sys.argv[1])
