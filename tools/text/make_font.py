#!/usr/bin/python3
"""Builds the game's font Data/a2.ttf from free fonts packaged by Debian.

A rounded, friendly face for Latin and Cyrillic (Comfortaa Bold), with the
Hebrew letters of DejaVu Sans and the Chinese characters of Droid Sans
Fallback added to it. Only the characters the game can show are kept: the
printable ASCII range, common punctuation and every character of the
language files. The added outlines are scaled to the base font's units per
em. The result carries a new family name, as the fonts' licences require
for modified versions; see licences/ for the licence texts and provenance.
"""
import glob
import os
import sys

from fontTools import subset
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

BASE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
DONORS = (
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
)
FAMILY = "pLiMo Round"
EXTRA = "‘’‚“”„…–—«»‹›¡¿©®°·•×€£¥§¶™"


def wanted_characters(data_dir):
    chars = {chr(c) for c in range(0x20, 0x7F)} | set(EXTRA)
    for path in sorted(glob.glob(os.path.join(data_dir, "pLiMo_text_*.txt"))):
        with open(path, encoding="utf-8-sig") as f:
            chars |= set(f.read())
    chars -= {"\r", "\n", "\t", "\ufeff"}
    return chars


def subset_font(path, codepoints):
    font = TTFont(path)
    options = subset.Options()
    options.hinting = False  # the added outlines have no hints; keep every glyph alike
    options.layout_features = []
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "DSIG", "kern", "vhea", "vmtx", "FFTM"]
    options.name_IDs = ["*"]
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=codepoints)
    subsetter.subset(font)
    return font


def scaled_glyph(donor, name, scale):
    pen = DecomposingRecordingPen(donor.getGlyphSet())
    donor.getGlyphSet()[name].draw(pen)
    out = TTGlyphPen(None)
    pen.replay(TransformPen(out, (scale, 0, 0, scale, 0, 0)))
    return out.glyph()


def add_glyphs(base, donor, codepoints):
    """Copies the donor's glyphs for codepoints into base; returns those added."""
    scale = base["head"].unitsPerEm / donor["head"].unitsPerEm
    donor_cmap = donor.getBestCmap()
    glyf, hmtx = base["glyf"], base["hmtx"]
    order = base.getGlyphOrder()
    added = set()
    for cp in sorted(codepoints):
        name = donor_cmap.get(cp)
        if name is None:
            continue
        new_name = f"uni{cp:04X}" if cp <= 0xFFFF else f"u{cp:05X}"
        glyph = scaled_glyph(donor, name, scale)
        glyph.recalcBounds(glyf)
        glyf.glyphs[new_name] = glyph
        order.append(new_name)
        advance = round(donor["hmtx"][name][0] * scale)
        hmtx.metrics[new_name] = (advance, getattr(glyph, "xMin", 0))
        for table in base["cmap"].tables:
            if table.isUnicode():
                table.cmap[cp] = new_name
        added.add(cp)
    base.setGlyphOrder(order)
    glyf.glyphOrder = order
    return added


def rename(font):
    name = font["name"]
    copyrights = [
        "Copyright (c) 2008-2017 Johan Aakerlund (Comfortaa)",
        "Copyright (c) 2003 Bitstream, Inc. (Bitstream Vera); DejaVu changes are in the public domain",
        "Copyright (c) 2005-2008 The Android Open Source Project (Droid Sans Fallback)",
    ]
    keep = {0, 5, 9, 11, 12, 13, 14}
    name.names = [n for n in name.names if n.nameID in keep]
    values = {
        0: "; ".join(copyrights),
        1: FAMILY,
        2: "Regular",
        3: FAMILY + " Regular; built for pLiMo lite",
        4: FAMILY,
        6: FAMILY.replace(" ", "") + "-Regular",
        13: "Derived from Comfortaa Bold (SIL Open Font License 1.1), DejaVu Sans "
            "(Bitstream Vera licence) and Droid Sans Fallback (Apache License 2.0). "
            "Licensed under the SIL Open Font License 1.1; the notices of all three are kept with it.",
        14: "https://openfontlicense.org",
    }
    for name_id, text in values.items():
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    font["post"].formatType = 3.0  # no glyph names: smaller, and nothing reads them


def build(data_dir, out_path):
    chars = wanted_characters(data_dir)
    codepoints = {ord(c) for c in chars}
    base = subset_font(BASE, codepoints)
    missing = codepoints - set(base.getBestCmap())
    for donor_path in DONORS:
        if not missing:
            break
        donor = subset_font(donor_path, missing)
        missing -= add_glyphs(base, donor, missing)
    if missing:
        raise SystemExit("no glyph for: " + " ".join(f"U+{cp:04X}" for cp in sorted(missing)))
    rename(base)
    # Keep the source's dates so that the same inputs give the same bytes.
    base.recalcTimestamp = False
    base["head"].modified = base["head"].created
    os2 = base["OS/2"]
    cps = sorted(base.getBestCmap())
    os2.usFirstCharIndex, os2.usLastCharIndex = cps[0], min(cps[-1], 0xFFFF)
    os2.recalcUnicodeRanges(base)
    base.save(out_path)


if __name__ == "__main__":
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "Data")
    build(data, os.path.join(data, "a2.ttf"))
