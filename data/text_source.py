"""Reads the readable text sources of data/: UTF-8 files with one text a line,

    <id><TAB><text>

Blank lines and lines starting with "#" are skipped. In a text, "\\t", "\\n",
"\\r" and "\\\\" stand for a tab, a line feed, a carriage return and a
backslash. Ids are decimal numbers 0-65535; an id may appear only once over
all the files given.
"""
import sys


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        if i + 1 >= len(text):
            sys.exit(f"{where}: a backslash ends the text")
        e = text[i + 1]
        mapping = {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}
        if e not in mapping:
            sys.exit(f"{where}: unknown escape \\{e}")
        out.append(mapping[e])
        i += 2
    return "".join(out)


def read_texts(paths):
    texts = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                line = line.rstrip("\r\n")
                where = f"{path}:{number}"
                if not line.strip() or line.lstrip().startswith("#"):
                    continue
                if "\t" not in line:
                    sys.exit(f"{where}: expected <id><TAB><text>")
                ident, text = line.split("\t", 1)
                try:
                    key = int(ident.strip())
                except ValueError:
                    sys.exit(f"{where}: the id {ident!r} is not a number")
                if not 0 <= key <= 65535:
                    sys.exit(f"{where}: the id {key} is not a 16-bit number")
                if key in texts:
                    sys.exit(f"{where}: the id {key} is given twice")
                texts[key] = unescape(text, where)
    return texts
