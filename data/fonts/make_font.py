"""Makes one of the program's own fonts from an installed Debian font.

The program looks its fonts up by face name, so the family of the source
font is renamed; the fonts are monospaced and are marked as fixed pitch so
the font list shows them among the fixed-pitch families.

usage: make_font.py SOURCE OUTPUT FAMILY
"""
import sys

from fontTools.ttLib import TTFont


def rename(font, family):
    name = font["name"]
    style = name.getDebugName(2) or "Regular"
    full = family if style == "Regular" else f"{family} {style}"
    postscript = (family + "-" + style).replace(" ", "")
    # Typographic family names would let the original family show through.
    name.names = [n for n in name.names if n.nameID not in (16, 17, 21, 22)]
    for record in name.names:
        if record.nameID == 1:
            record.string = family
        elif record.nameID == 3:
            record.string = f"Nuvel: {full}"
        elif record.nameID == 4:
            record.string = full
        elif record.nameID == 6:
            record.string = postscript


def main():
    source, output, family = sys.argv[1:4]
    font = TTFont(source)
    rename(font, family)
    font["post"].isFixedPitch = 1
    font["OS/2"].panose.bProportion = 9  # monospaced
    font.save(output)


if __name__ == "__main__":
    main()
