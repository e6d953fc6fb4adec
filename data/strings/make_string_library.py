"""Builds the string library "NuvStr.DLL" from the UTF-8 sources in
data/strings/*.txt (one "<id><TAB><text>" a line, see data/text_source.py).
Texts are stored in the system's 8-bit character set (Windows-1255 for
letters, points and punctuation).

usage: make_string_library.py OUTPUT SOURCE.txt [SOURCE.txt ...]
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from text_source import read_texts  # noqa: E402

MAX_TEXT = 149


def main():
    output = sys.argv[1]
    texts = read_texts(sys.argv[2:])
    ids = sorted(texts)
    header = b"NSTR" + struct.pack("<I", len(ids))
    offset = len(header) + 12 * len(ids)
    entries = b""
    body = b""
    for key in ids:
        try:
            data = texts[key].encode("cp1255")
        except UnicodeEncodeError as e:
            sys.exit(f"string {key}: a character outside the 8-bit set: {e}")
        if len(data) > MAX_TEXT:
            sys.exit(f"string {key}: {len(data)} characters, at most {MAX_TEXT} are shown")
        entries += struct.pack("<III", key, offset + len(body), len(data))
        body += data
    with open(output, "wb") as f:
        f.write(header + entries + body)


if __name__ == "__main__":
    main()
