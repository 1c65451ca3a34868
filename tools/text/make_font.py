#!/usr/bin/python3
"""Builds the game's font Data/a2.ttf from free fonts packaged by Debian.

A rounded, friendly face for Latin, Greek and Cyrillic (Comfortaa Bold), with
what it lacks taken from DejaVu Sans Bold (the Hebrew letters, the rarer Greek
and Cyrillic letters: bold, to sit beside the bold Latin), Noto Sans Hebrew
Bold (the Hebrew cantillation marks) and Droid Sans Fallback (the Chinese
characters). Kept: the printable ASCII range, common punctuation, the whole of
Latin-1, Latin Extended-A, Greek, Cyrillic and Hebrew (so that an edited or
added language file shows letters, not boxes), Romanian's comma-below
letters, the Chinese characters of GB2312's first level (the 3755 hanzi of
everyday text: the second level's rarer ones would grow the browser's download
by a tenth) with the symbols of its first rows that a source font has, and
every character of the language files. The Hebrew yod triangle, which none
of the sources has, is made of three small yods. The added
outlines are scaled to the base font's units per em. Comfortaa's kerning is
kept as its GPOS feature; the pairs of printable ASCII characters are also
flattened into a classic 'kern' table, which FreeType reads, for the art
tools' lettering (drawn through PIL). The game itself spaces text by the
glyphs' advances alone, so the thousands of pairs between accented, Greek
and Cyrillic letters would only weigh on the download. The result carries a new family name, as the fonts'
licences require for modified versions; see licences/ for the licence texts
and provenance.
"""
import glob
import os
import sys
import unicodedata

from fontTools import subset
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

BASE = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf"
DONORS = (
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/noto/NotoSansHebrew-Bold.ttf",
    "/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf",
)
FAMILY = "pLiMo Round"
EXTRA = "‘’‚“”„…–—«»‹›¡¿©®°·•×€£¥§¶™"
# Whole blocks kept (their assigned characters): Latin-1 Supplement, Latin
# Extended-A, Greek and Coptic, Cyrillic, Hebrew; and Romanian's S and T with
# comma below.
BLOCKS = ((0x00A0, 0x00FF), (0x0100, 0x017F), (0x0370, 0x03FF), (0x0400, 0x04FF),
          (0x0590, 0x05FF), (0x0218, 0x021B))
# GB2312 rows by their lead byte: 0xA1-0xA9 hold symbols, punctuation, full-width
# forms, kana, Greek, Cyrillic, pinyin and box drawing; 0xB0-0xD7 the first
# level of hanzi, 0xD8-0xF7 the second (rarer ones, not kept).
GB2312_SYMBOL_ROWS = (0xA1, 0xA9)
GB2312_HANZI_ROWS = (0xB0, 0xD7)
YOD, YOD_TRIANGLE = 0x05D9, 0x05EF
# Kerning pairs smaller than this (font units per 1000 em) are left out.
KERN_THRESHOLD = 4


def wanted_characters(data_dir):
    chars = {chr(c) for c in range(0x20, 0x7F)} | set(EXTRA)
    for path in sorted(glob.glob(os.path.join(data_dir, "pLiMo_text_*.txt"))):
        with open(path, encoding="utf-8-sig") as f:
            chars |= set(f.read())
    for first, last in BLOCKS:
        chars |= {chr(c) for c in range(first, last + 1) if unicodedata.category(chr(c)) != "Cn"}
    chars |= gb2312_characters(*GB2312_HANZI_ROWS)
    chars -= {"\r", "\n", "\t", "\ufeff"}
    return chars


def gb2312_characters(first_row, last_row):
    chars = set()
    for lead in range(first_row, last_row + 1):
        for trail in range(0xA1, 0xFF):
            try:
                chars.add(bytes((lead, trail)).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    return chars


def subset_font(path, codepoints, keep_kerning=False):
    font = TTFont(path)
    options = subset.Options()
    options.hinting = False  # the added outlines have no hints; keep every glyph alike
    options.layout_features = ["kern"] if keep_kerning else []
    options.drop_tables += ["GSUB", "DSIG", "kern", "vhea", "vmtx", "FFTM"]
    if not keep_kerning:
        options.drop_tables += ["GPOS", "GDEF"]
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


def add_yod_triangle(font):
    """U+05EF, three yods in a triangle (two below, one above), each at
    0.55 of the letter, sitting on the baseline and as tall as a letter."""
    glyph_set = font.getGlyphSet()
    yod_name = font.getBestCmap()[YOD]
    he = font["glyf"][font.getBestCmap()[0x05D4]]
    yod = font["glyf"][yod_name]
    yod.recalcBounds(font["glyf"])
    scale = 0.55
    width = (yod.xMax - yod.xMin) * scale
    height = (yod.yMax - yod.yMin) * scale
    gap = width * 0.9
    side = font["hmtx"][yod_name][1]
    places = ((0, 0), (width + gap, 0), ((width + gap) / 2, he.yMax - height))
    out = TTGlyphPen(None)
    for dx, dy in places:
        pen = TransformPen(out, (scale, 0, 0, scale, side + dx - yod.xMin * scale, dy - yod.yMin * scale))
        glyph_set[yod_name].draw(pen)
    glyph = out.glyph()
    glyph.recalcBounds(font["glyf"])
    name = f"uni{YOD_TRIANGLE:04X}"
    font["glyf"].glyphs[name] = glyph
    order = font.getGlyphOrder()
    order.append(name)
    font.setGlyphOrder(order)
    font["glyf"].glyphOrder = order
    font["hmtx"].metrics[name] = (round(2 * width + gap + 2 * side), glyph.xMin)
    for table in font["cmap"].tables:
        if table.isUnicode():
            table.cmap[YOD_TRIANGLE] = name


def _pair_values(subtable, glyph_order):
    """The horizontal kerning of one GPOS pair-adjustment subtable, as
    {(left, right): value}."""
    pairs = {}
    lefts = subtable.Coverage.glyphs
    if subtable.Format == 1:
        for left, pair_set in zip(lefts, subtable.PairSet):
            for record in pair_set.PairValueRecord:
                value = getattr(record.Value1, "XAdvance", 0) if record.Value1 else 0
                pairs[(left, record.SecondGlyph)] = value
        return pairs
    class1 = subtable.ClassDef1.classDefs
    class2 = subtable.ClassDef2.classDefs
    rights = {}
    for glyph in glyph_order:
        rights.setdefault(class2.get(glyph, 0), []).append(glyph)
    for left in lefts:
        row = subtable.Class1Record[class1.get(left, 0)]
        for index, record in enumerate(row.Class2Record):
            value = getattr(record.Value1, "XAdvance", 0) if record.Value1 else 0
            for right in rights.get(index, ()):
                pairs[(left, right)] = value
    return pairs


def flattened_kerning(font):
    """Every kerning pair of the font's GPOS 'kern' lookups as
    {(left glyph, right glyph): advance change}. Within a lookup the first
    subtable that holds a pair decides it; the lookups add up."""
    gpos = font["GPOS"].table
    lookups = sorted({index for record in gpos.FeatureList.FeatureRecord
                      if record.FeatureTag == "kern" for index in record.Feature.LookupListIndex})
    order = font.getGlyphOrder()
    total = {}
    for index in lookups:
        lookup = gpos.LookupList.Lookup[index]
        decided = {}
        for subtable in lookup.SubTable:
            kind = lookup.LookupType
            if kind == 9:  # extension: the real subtable is inside
                kind, subtable = subtable.ExtensionLookupType, subtable.ExtSubTable
            if kind != 2:
                continue
            for pair, value in _pair_values(subtable, order).items():
                decided.setdefault(pair, value)
        for pair, value in decided.items():
            total[pair] = total.get(pair, 0) + value
    return total


def add_kern_table(font):
    """Writes the kerning between printable ASCII characters as a classic
    'kern' table (format 0), split into subtables that fit its 16-bit
    lengths."""
    from fontTools.ttLib.tables._k_e_r_n import KernTable_format_0

    cmap = font.getBestCmap()
    mapped = {cmap[c] for c in range(0x20, 0x7F) if c in cmap}
    pairs = {pair: value for pair, value in flattened_kerning(font).items()
             if abs(value) >= KERN_THRESHOLD and pair[0] in mapped and pair[1] in mapped}
    order = {name: i for i, name in enumerate(font.getGlyphOrder())}
    ordered = sorted(pairs, key=lambda p: (order[p[0]], order[p[1]]))
    table = newTable("kern")
    table.version = 0
    table.kernTables = []
    chunk = 10000  # a subtable's length field holds 16 bits: 6 bytes a pair
    for start in range(0, len(ordered), chunk):
        sub = KernTable_format_0()
        sub.version, sub.format, sub.coverage, sub.tupleIndex = 0, 0, 1, 0
        sub.kernTable = {pair: pairs[pair] for pair in ordered[start:start + chunk]}
        table.kernTables.append(sub)
    font["kern"] = table
    return len(pairs)


def rename(font):
    name = font["name"]
    copyrights = [
        "Copyright (c) 2008-2017 Johan Aakerlund (Comfortaa)",
        "Copyright (c) 2003 Bitstream, Inc. (Bitstream Vera); DejaVu changes are in the public domain",
        "Copyright 2015-2020 Google LLC (Noto Sans Hebrew)",
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
        13: "Derived from Comfortaa Bold (SIL Open Font License 1.1), DejaVu Sans Bold "
            "(Bitstream Vera licence), Noto Sans Hebrew Bold (SIL Open Font License 1.1) and "
            "Droid Sans Fallback (Apache License 2.0). "
            "Licensed under the SIL Open Font License 1.1; the notices of all four are kept with it.",
        14: "https://openfontlicense.org",
    }
    for name_id, text in values.items():
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)
    font["post"].formatType = 3.0  # no glyph names: smaller, and nothing reads them


def build(data_dir, out_path):
    chars = wanted_characters(data_dir)
    codepoints = {ord(c) for c in chars}
    # Taken where a source font has them; the rest of GB2312's symbols
    # (parenthesised and dotted numbers, a few brackets) are in none.
    optional = {ord(c) for c in gb2312_characters(*GB2312_SYMBOL_ROWS)} - codepoints
    base = subset_font(BASE, codepoints | optional, keep_kerning=True)
    missing = (codepoints | optional) - set(base.getBestCmap())
    for donor_path in DONORS:
        if not missing:
            break
        donor = subset_font(donor_path, missing)
        missing -= add_glyphs(base, donor, missing)
    if YOD_TRIANGLE in missing:
        add_yod_triangle(base)
        missing.discard(YOD_TRIANGLE)
    missing -= optional
    if missing:
        raise SystemExit("no glyph for: " + " ".join(f"U+{cp:04X}" for cp in sorted(missing)))
    add_kern_table(base)
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
