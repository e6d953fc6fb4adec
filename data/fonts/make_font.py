"""Makes one of the program's own fonts from an installed Debian font.

The program looks its fonts up by face name, so the family of the source
font is renamed; the fonts are monospaced and are marked as fixed pitch so
the font list shows them among the fixed-pitch families.

usage: make_font.py SOURCE OUTPUT FAMILY [CELL_PX AT_POINTS]

With CELL_PX and AT_POINTS the font is scaled so that its cells are CELL_PX
pixels wide at AT_POINTS points on a 96-dpi screen (the DOS font keeps the
10-pixel cell it has at 18 points).
"""
import sys

from fontTools import subset
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


def scale_to_cell(font, cell_px, at_points):
    """Scales the whole design by giving it a larger em: every metric is in
    font units, so they all shrink together. Hinting is dropped first, as its
    instructions were made for the original em."""
    options = subset.Options()
    options.hinting = False
    options.glyph_names = True
    options.notdef_outline = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.layout_features = ["*"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=font.getGlyphOrder())
    subsetter.subset(font)
    advance = font["hmtx"]["M"][0]
    em_px = at_points * 96 / 72
    font["head"].unitsPerEm = round(advance * em_px / cell_px)


def main():
    source, output, family = sys.argv[1:4]
    font = TTFont(source)
    if len(sys.argv) > 5:
        scale_to_cell(font, int(sys.argv[4]), int(sys.argv[5]))
    rename(font, family)
    font["post"].isFixedPitch = 1
    font["OS/2"].panose.bProportion = 9  # monospaced
    font.save(output)


if __name__ == "__main__":
    main()
