#!/usr/bin/python3
"""Builds resources/fonts/OrvaneTamil-Regular.ttf: a font that draws Orvane's 8-bit Bamini codes
as Tamil, made from Noto Sans Tamil Regular (SIL Open Font License 1.1).

Each code of resources/bamini.tsv gets the Noto glyph that its meaning shapes to (hb-shape finds
the one-glyph syllables). The two marks that complete a uu form are cut out of Noto's uu
syllables (the uu glyph less its u glyph). The layout tables go: the 8-bit text is already in
visual order and must not be reordered or recombined. Same inputs, same bytes.

Run with /usr/bin/python3 (Debian's python3-fonttools and python3-booleanoperations) and
hb-shape (libharfbuzz-bin).
"""

import csv
import subprocess
import sys
import tempfile
from pathlib import Path

from booleanOperations.booleanGlyph import BooleanGlyph
from fontTools import subset
from fontTools.pens.basePen import BasePen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.pointPen import SegmentToPointPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

FAMILY = "Orvane Tamil"
POSTSCRIPT = "OrvaneTamil-Regular"
# The uu marks: cut from these pairs (uu syllable, u syllable), placed from the end of the
# letter before them.
UU_MARKS = {"+": ("பூ", "பு"), "}": ("தூ", "து")}
# The pulli has no advance and sits over the letter before it. Noto puts it where its
# positioning table says; without that table it is centred this far before its origin,
# over the middle of the common narrow letters (ka, ta, pa, ma) and still on the kaal of ra.
PULLI_CENTRE = -420


def glyph_names(font_path, text):
    out = subprocess.run(["hb-shape", "--no-positions", "--no-clusters", font_path, text],
                         check=True, capture_output=True, text=True).stdout.strip()
    return out.strip("[]").split("|")


def read_table(path):
    with open(path, encoding="utf-8") as f:
        lines = [l for l in f if not l.startswith("# ")]
    return list(csv.DictReader(lines, delimiter="\t", quoting=csv.QUOTE_NONE))


def glyph_for(font, font_path, code, meaning, kind):
    cmap = font.getBestCmap()
    if kind in ("consonant", "vowel", "sign", "grantha-sign", "punctuation", "itself"):
        return cmap[ord(meaning)]
    if kind in ("syllable", "variant"):
        names = glyph_names(font_path, meaning)
        if len(names) != 1:
            sys.exit(f"make-font: {meaning} shapes to {names}, not one glyph")
        return names[0]
    sys.exit(f"make-font: no rule for kind {kind!r} of {code!r}")


class _Cubic(BasePen):
    """Passes outlines on with quadratic curves raised to cubic, which the boolean operations need."""

    def __init__(self, out):
        super().__init__(None)
        self.out = out

    def _moveTo(self, p):
        self.out.moveTo(p)

    def _lineTo(self, p):
        self.out.lineTo(p)

    def _curveToOne(self, a, b, c):
        self.out.curveTo(a, b, c)

    def _closePath(self):
        self.out.closePath()

    def _endPath(self):
        self.out.endPath()


def _boolean(glyph_set, name):
    g = BooleanGlyph()
    glyph_set[name].draw(_Cubic(SegmentToPointPen(g.getPointPen())))
    return g


def cut_uu_mark(font, font_path, uu, u):
    """The uu syllable's outline less the u syllable's, as a glyph that starts where the
    letter before it ends."""
    uu_name, = glyph_names(font_path, uu)
    u_name, = glyph_names(font_path, u)
    glyph_set = font.getGlyphSet()
    mark = _boolean(glyph_set, uu_name) % _boolean(glyph_set, u_name)
    base_advance = font["hmtx"][u_name][0]
    pen = TTGlyphPen(None)
    mark.draw(TransformPen(Cu2QuPen(pen, max_err=1.0, reverse_direction=False), (1, 0, 0, 1, -base_advance, 0)))
    return pen.glyph(), font["hmtx"][uu_name][0] - base_advance


def centred_pulli(font, name):
    glyf, hmtx = font["glyf"], font["hmtx"]
    source = glyf[name]
    shift = PULLI_CENTRE - (source.xMin + source.xMax) // 2
    pen = TTGlyphPen(None)
    font.getGlyphSet()[name].draw(TransformPen(pen, (1, 0, 0, 1, shift, 0)))
    glyph = pen.glyph()
    glyph.recalcBounds(glyf)
    moved = "pulli.orvane"
    glyf[moved] = glyph
    if moved not in font.getGlyphOrder():
        font.setGlyphOrder(font.getGlyphOrder() + [moved])
    hmtx[moved] = (0, glyph.xMin)
    return moved


def main():
    root = Path(__file__).resolve().parent.parent
    source = Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/truetype/noto/NotoSansTamil-Regular.ttf")
    target = root / "resources/fonts" / (POSTSCRIPT + ".ttf")
    table = read_table(root / "resources/bamini.tsv")

    font = TTFont(str(source), recalcTimestamp=False)
    glyf, hmtx = font["glyf"], font["hmtx"]
    mapping = {}
    for row in table:
        code, meaning, kind = row["code"], row["meaning"], row["kind"]
        if kind in ("sequence", "drawn-as", "word-end", "slip") or (kind == "variant" and len(code) > 1):
            continue  # drawn by the glyphs of their single codes, or by their own rows
        if kind == "uu-mark":
            glyph, advance = cut_uu_mark(font, str(source), *UU_MARKS[code])
            name = "uumark" + str(ord(code))
            glyf[name] = glyph
            if name not in font.getGlyphOrder():
                font.setGlyphOrder(font.getGlyphOrder() + [name])
            glyph.recalcBounds(glyf)
            hmtx[name] = (advance, glyph.xMin if glyph.numberOfContours else 0)
        else:
            name = glyph_for(font, str(source), code, meaning, kind)
            if meaning == "்":
                name = centred_pulli(font, name)
        mapping[ord(code)] = name

    # Codes map to their glyphs; nothing else stays in the character map.
    for sub in font["cmap"].tables:
        if sub.isUnicode():
            sub.cmap = dict(mapping)
    font["cmap"].tables = [t for t in font["cmap"].tables if t.isUnicode() and t.format == 4]

    for tag in ("GSUB", "GPOS", "GDEF", "DSIG"):
        if tag in font:
            del font[tag]

    options = subset.Options()
    options.layout_features = []
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 8, 9, 11, 12, 13, 14]
    options.notdef_outline = True
    options.glyph_names = True
    options.recalc_timestamp = False
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "DSIG"]
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=sorted(set(mapping.values())), unicodes=sorted(mapping))
    subsetter.subset(font)

    names = font["name"]
    version = names.getDebugName(5) or "Version 1.0"
    for record in list(names.names):
        if record.nameID in (1, 3, 4, 6, 16, 17):
            names.removeNames(nameID=record.nameID)
    names.setName(FAMILY, 1, 3, 1, 0x409)
    names.setName("Regular", 2, 3, 1, 0x409)
    names.setName(f"{POSTSCRIPT};{version}", 3, 3, 1, 0x409)
    names.setName(f"{FAMILY} Regular", 4, 3, 1, 0x409)
    names.setName(POSTSCRIPT, 6, 3, 1, 0x409)
    names.setName("Draws Orvane's 8-bit Bamini codes as Tamil. Modified from Noto Sans Tamil "
                  "Regular under the SIL Open Font License 1.1: glyphs remapped to the codes, "
                  "two marks cut from uu syllables, layout tables removed.", 10, 3, 1, 0x409)
    if "CFF " not in font:
        font["post"].formatType = 2.0

    with tempfile.NamedTemporaryFile(dir=target.parent, delete=False) as tmp:
        font.save(tmp.name, reorderTables=True)
    Path(tmp.name).chmod(0o644)
    Path(tmp.name).replace(target)
    print(f"make-font: wrote {target.relative_to(root)} ({target.stat().st_size} bytes, {len(mapping)} codes)")


if __name__ == "__main__":
    main()
