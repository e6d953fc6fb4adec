"""Builds the program's message tables ("STR0" format) from their readable
sources and writes them as a C++ source that compiles them into the program.

usage: make_message_tables.py OUTPUT.cpp NAME=SOURCE.txt [NAME=SOURCE.txt ...]
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from text_source import read_texts  # noqa: E402


def str0_table(texts):
    ids = sorted(texts)
    header = b"STR0" + struct.pack("<I", len(ids))
    offset = len(header) + 12 * len(ids)
    entries = b""
    body = b""
    for key in ids:
        data = texts[key].encode("utf-16-le")
        entries += struct.pack("<III", key, offset + len(body), len(data) // 2)
        body += data
    return header + entries + body


def main():
    output = sys.argv[1]
    tables = []
    for arg in sys.argv[2:]:
        name, source = arg.split("=", 1)
        tables.append((name, str0_table(read_texts([source]))))
    lines = [
        "// Made by data/messages/make_message_tables.py from data/messages/*.txt.",
        '#include "core/program_resources.h"',
        "",
        '#include "platform/ascii_case.h"',
        "",
        "namespace nuvel {",
        "namespace {",
    ]
    for index, (name, data) in enumerate(tables):
        lines.append(f"const uint8_t kResource{index}[] = {{")
        for start in range(0, len(data), 20):
            lines.append("    " + ", ".join(str(b) for b in data[start:start + 20]) + ",")
        lines.append("};")
    lines.append("struct Resource { std::string_view name; std::span<const uint8_t> data; };")
    lines.append("const Resource kResources[] = {")
    for index, (name, _) in enumerate(tables):
        lines.append(f'    {{"{name}", kResource{index}}},')
    lines += [
        "};",
        "}  // namespace",
        "",
        "std::span<const uint8_t> FindProgramResource(std::string_view name) {",
        "  for (const Resource& r : kResources) {",
        "    if (platform::EqualsNoCase(r.name, name)) return r.data;",
        "  }",
        "  return {};",
        "}",
        "",
        "}  // namespace nuvel",
        "",
    ]
    text = "\n".join(lines)
    old = None
    if os.path.exists(output):
        with open(output, encoding="utf-8") as f:
            old = f.read()
    if old != text:
        with open(output, "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()
