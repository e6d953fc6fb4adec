#!/usr/bin/python3
"""Builds the data file DIDOD.drf from the readable conversion tables.

The file is a run of 80-byte records. A table that starts at record R fills
bytes 64 to 319 of the records R to R+3 (file offset R * 80 + 64); the 64
bytes before it hold the table's name. Record 0 names the file in its first
64 bytes; at byte 64 it holds the mark "CRC32" (padded with zeros to 8 bytes)
and at byte 72 the CRC-32 of the whole file, little-endian, computed with
those four bytes zero, so that the program notices a damaged file.

Usage: make_drf.py <folder with the .tbl files> <output file>
"""
import os
import struct
import sys
import zlib

RECORD = 80
CHECKSUM_MARK = 64
CHECKSUM_AT = 72
# (first record, table file): out = own set -> outside, in = outside -> own.
TABLES = [
    (1, "iso8859_8_out.tbl"),   # modes 1, 0, 8 and any other
    (5, "iso8859_8_in.tbl"),
    (9, "cp1255_out.tbl"),      # modes 2 and 9
    (13, "cp1255_in.tbl"),
    (17, "cp862_in.tbl"),       # mode 4
    (21, "cp862_out.tbl"),
    (25, "einstein_out.tbl"),   # mode 5
    (29, "einstein_in.tbl"),
]


def read_table(path):
    """Reads 256 lines "XX YY  # comment" (hexadecimal) into a list of bytes."""
    table = [None] * 256
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            text = line.split("#", 1)[0].strip()
            if not text:
                continue
            parts = text.split()
            if len(parts) != 2:
                sys.exit(f"{path}:{number}: expected two hexadecimal bytes")
            src, dst = (int(p, 16) for p in parts)
            if not (0 <= src <= 255 and 0 <= dst <= 255):
                sys.exit(f"{path}:{number}: byte out of range")
            if table[src] is not None:
                sys.exit(f"{path}:{number}: byte {src:02X} given twice")
            table[src] = dst
    missing = [f"{i:02X}" for i, v in enumerate(table) if v is None]
    if missing:
        sys.exit(f"{path}: no entry for {', '.join(missing)}")
    return bytes(table)


def label(text):
    data = text.encode("ascii")[:64]
    return data + b"\0" * (64 - len(data))


def main():
    folder, output = sys.argv[1], sys.argv[2]
    last = max(first for first, _ in TABLES) + 4
    data = bytearray(last * RECORD)
    data[0:64] = label("Nuvel Text Editor data file: conversion tables")
    for first, name in TABLES:
        offset = first * RECORD
        data[offset:offset + 64] = label(name.rsplit(".", 1)[0])
        data[offset + 64:offset + 320] = read_table(os.path.join(folder, name))
    data[CHECKSUM_MARK:CHECKSUM_MARK + 8] = b"CRC32\0\0\0"
    data[CHECKSUM_AT:CHECKSUM_AT + 4] = struct.pack("<I", zlib.crc32(bytes(data)))
    tmp = output + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, output)


if __name__ == "__main__":
    main()
