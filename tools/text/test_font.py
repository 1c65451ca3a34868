#!/usr/bin/python3
"""Checks of the committed font Data/a2.ttf, read through FreeType (PIL's
basic layout, which kerns from the classic 'kern' table, as the art tools
draw their lettering): kerning of the ASCII pairs, the weight of the Hebrew letters beside the Latin
ones, the coverage of the European blocks and the size of the file.
The coverage through the game's own renderer is checked by assets_tests.

    /usr/bin/python3 tools/text/test_font.py
"""
import os
import unicodedata
import unittest

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
FONT = os.path.join(HERE, "..", "..", "Data", "a2.ttf")
# Latin-1 Supplement, Latin Extended-A, Greek and Coptic, Cyrillic, and
# Romanian's S and T with comma below.
EUROPEAN_BLOCKS = ((0x00A0, 0x00FF), (0x0100, 0x017F), (0x0370, 0x03FF), (0x0400, 0x04FF),
                   (0x0218, 0x021B))
HEBREW_BLOCK = (0x0590, 0x05FF)


def gb2312_hanzi(first_lead, last_lead):
    """The characters of GB2312 rows first_lead..last_lead (lead bytes)."""
    chars = []
    for lead in range(first_lead, last_lead + 1):
        for trail in range(0xA1, 0xFF):
            try:
                chars.append(bytes((lead, trail)).decode("gb2312"))
            except UnicodeDecodeError:
                pass
    return chars


def load(size):
    return ImageFont.truetype(FONT, size, layout_engine=ImageFont.Layout.BASIC)


def ink(font, text):
    image = Image.new("L", (3 * font.size, 2 * font.size))
    ImageDraw.Draw(image).text((font.size // 2, font.size // 4), text, font=font, fill=255)
    return np.asarray(image) > 127


def stroke_width(font, letters):
    """Median length of the runs of ink along rows and columns: about the
    thickness of the strokes."""
    runs = []
    for letter in letters:
        mask = ink(font, letter)
        for lines in (mask, mask.T):
            for line in lines:
                edges = np.diff(np.concatenate([[0], line.astype(int), [0]]))
                runs.extend(np.nonzero(edges == -1)[0] - np.nonzero(edges == 1)[0])
    return float(np.median(runs))


class Kerning(unittest.TestCase):
    def test_pairs_that_need_it_close_up(self):
        font = load(200)

        def change(pair):
            return font.getlength(pair) - font.getlength(pair[0]) - font.getlength(pair[1])
        for pair in ("AV", "To", "LT", "Ty", "Wa", "P."):
            with self.subTest(pair):
                self.assertLess(change(pair), 0.0)
        # Straight-sided letters keep their spacing, and a wide kern is wider
        # than a slight one.
        self.assertEqual(change("HH"), 0.0)
        self.assertLess(change("To"), change("AV"))


class HebrewWeight(unittest.TestCase):
    def test_hebrew_is_bold_beside_the_bold_latin(self):
        font = load(200)
        latin = stroke_width(font, "nmhuodbpl")
        hebrew = stroke_width(font, "הנמבדכסרל")
        # A regular Hebrew is about 0.9 of the bold Latin's strokes.
        self.assertGreaterEqual(hebrew, 1.2 * latin, (hebrew, latin))
        self.assertLessEqual(hebrew, 2.0 * latin, (hebrew, latin))


class Coverage(unittest.TestCase):
    def test_whole_european_blocks_have_glyphs_of_their_own(self):
        font = load(40)
        missing = ink(font, "\uffff")  # no glyph: the font's empty or box glyph
        checked = 0
        for first, last in EUROPEAN_BLOCKS:
            for code in range(first, last + 1):
                char = chr(code)
                if unicodedata.category(char) in ("Cn", "Mn", "Me", "Zs", "Cf"):
                    continue
                checked += 1
                with self.subTest("U+%04X" % code):
                    self.assertFalse(np.array_equal(ink(font, char), missing))
        self.assertGreater(checked, 580)

    def test_whole_hebrew_block_and_gb2312_first_level_hanzi_have_glyphs(self):
        font = load(24)
        missing = ink(font, "\uffff")
        hebrew = [chr(c) for c in range(HEBREW_BLOCK[0], HEBREW_BLOCK[1] + 1)
                  if unicodedata.category(chr(c)) != "Cn"]
        level1 = gb2312_hanzi(0xB0, 0xD7)
        self.assertEqual((len(hebrew), len(level1)), (88, 3755))
        # Marks draw on an alef, as they would in a word.
        for char in hebrew + level1:
            sample = "\u05D0" + char if unicodedata.category(char) == "Mn" else char
            with self.subTest("U+%04X" % ord(char)):
                self.assertFalse(np.array_equal(ink(font, sample), ink(font, sample[:-1] + "\uffff")
                                                if len(sample) > 1 else missing))

    def test_comma_below_is_not_the_cedilla(self):
        font = load(80)
        for comma, cedilla in (("ș", "ş"), ("ț", "ţ"), ("Ș", "Ş"), ("Ț", "Ţ")):
            with self.subTest(comma):
                self.assertFalse(np.array_equal(ink(font, comma), ink(font, cedilla)))


class Size(unittest.TestCase):
    def test_font_stays_small(self):
        # GB2312's first level of hanzi takes most of it; the browser
        # downloads it whole.
        self.assertLess(os.path.getsize(FONT), 900 * 1024)


if __name__ == "__main__":
    unittest.main()
