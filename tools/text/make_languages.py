#!/usr/bin/python3
"""Writes the fifteen language files Data/pLiMo_text_XX.txt.

Every file is UTF-8 with a byte-order mark and CRLF line ends. The first line
is a comment, because the reader keeps the mark in front of the first line
and so never finds an entry there. Entries read "Key" = "Text".
"""
import os
import sys

from bidi import visual_text
from languages import load_all

# Keys in file order: the language's own entries, the game's title, the keys
# the game looks up, then the entries kept for other editions of the game.
KEYS = (
    "LCode", "LLanguage", "LFlagFile", "Plimo",
    "Play", "Rules", "Options", "Quit",
    "Style", "Language", "Display", "Credits",
    "Quality", "Screen", "High", "Low", "Windowed", "Center", "Full",
    "How to play", "No Browser", "Style Help",
    "Congratulations", "Well Done", "Can Do Better", "Time", "Record",
    "Old Record", "New Record", "Random Level", "Last Time", "Best Time", "Random",
    "Next Level", "Level Map",
    "No Solution", "No Hint",
    "Unrecorded Level", "Making Level", "Editor Testing",
    "File Kept", "Link Refused",
    "Par", "Code", "Moves", "Daily", "Code Level", "Copied", "Copy Hint", "Paste Hint",
    "Par Matched", "Par Beaten", "Code Empty", "Code Bad", "Code Empty Board",
    "Code No Solution",
    "Code Entry Hint",
    "Editor", "Editor Help", "Editor Empty", "Editor Solvable", "Editor Unsolvable", "Editor Saved",
    "Editor Not Saved", "Editor Deleted", "Custom Hint",
    "Tuto0", "Tuto1", "Tuto2", "Tuto3", "Tuto4", "Tuto6", "Tuto7",
    "Credits Text",
    "Choose Language", "One Player", "Two Players", "Selection",
    "Auto", "Easy", "Medium", "Hard", "Insane",
)
SECTION_BEFORE = {
    "LCode": "The language itself",
    "Play": "Menus",
    "Congratulations": "Victory screen and level map",
    "No Solution": "Play screen: the hint's message on a board without a way out",
    "Unrecorded Level": "Play screen: a resumed game that is none of the levels; a level being made; the editor's test run; the player's files",
    "Par": "Level codes, par, the daily level and the level editor",
    "Tuto0": "Tutorial; @ at the start of a word breaks the line",
    "Credits Text": "Credits",
    "Choose Language": "Not used by this edition",
}

TITLE = "pLiMo"


def credits_text(lang):
    """What is true of the game: who made it (its contributors, as a group),
    its licence, and the third-party parts it is made with and their
    licences: the fonts the game's font is built from, the libraries it
    links."""
    c = lang.CREDITS
    colon = getattr(lang, "COLON", ": ")
    return (f"© 2026 {c['by']} @ {c['licence']}{colon}MIT @ @ "
            f"{c['font']}{colon}Comfortaa (SIL OFL 1.1), @ DejaVu Sans (Bitstream Vera, Arev), "
            f"@ Droid Sans Fallback (Apache 2.0) @ @ "
            f"{c['libraries']}{colon}SDL2 (zlib), libpng (libpng), @ libjpeg-turbo (IJG, BSD-3-Clause), "
            f"@ libvorbis (BSD-3-Clause), @ FreeType (FTL)")


def entries(lang):
    texts = dict(lang.TEXTS)
    texts.update(getattr(lang, "SHARING", {}))
    unknown = set(texts) - set(KEYS)
    if unknown:
        raise ValueError(f"{lang.CODE}: unknown keys {sorted(unknown)}")
    texts.update({"LCode": lang.CODE, "LLanguage": lang.NAME, "LFlagFile": lang.FLAG,
                  "Plimo": TITLE, "Credits Text": credits_text(lang)})
    missing = [k for k in KEYS if k not in texts]
    if missing:
        raise ValueError(f"{lang.CODE}: missing keys {missing}")
    out = []
    for key in KEYS:
        text = texts[key]
        if getattr(lang, "RIGHT_TO_LEFT", False) and key not in ("LCode", "LFlagFile", "Plimo"):
            text = visual_text(text)
        check_text(lang.CODE, key, text)
        out.append((key, text))
    return out


def check_text(code, key, text):
    # The reader ends a text at the next quote and a comment starts at "{".
    for bad in ('"', "{", "\r", "\n"):
        if bad in text:
            raise ValueError(f"{code} {key}: {bad!r} cannot stand in a text")
    if not text:
        raise ValueError(f"{code} {key}: empty text")
    # "@" only breaks a line where it begins a word after a space.
    for i, c in enumerate(text):
        if c == "@" and (i == 0 or text[i - 1] != " "):
            raise ValueError(f"{code} {key}: '@' must follow a space")


def file_bytes(lang, english_name):
    lines = [f"{{ pLiMo lite: {english_name} texts. Each entry reads: quoted key = quoted text }}", ""]
    for key, text in entries(lang):
        if key in SECTION_BEFORE:
            if lines[-1] != "":
                lines.append("")
            lines.append("{ " + SECTION_BEFORE[key] + " }")
        lines.append(f'"{key}" = "{text}"')
    return "\ufeff".encode("utf-8") + "".join(line + "\r\n" for line in lines).encode("utf-8")


ENGLISH_NAMES = {
    "FR": "French", "EN": "English", "NL": "Dutch", "PT": "Portuguese", "ES": "Spanish",
    "PL": "Polish", "DE": "German", "HU": "Hungarian", "IT": "Italian", "CN": "Chinese",
    "HE": "Hebrew", "BG": "Bulgarian", "SV": "Swedish", "ZA": "Afrikaans", "RO": "Romanian",
}


def main(data_dir):
    for lang in load_all():
        path = os.path.join(data_dir, f"pLiMo_text_{lang.CODE}.txt")
        with open(path, "wb") as f:
            f.write(file_bytes(lang, ENGLISH_NAMES[lang.CODE]))


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "Data"))
