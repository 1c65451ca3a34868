#!/usr/bin/python3
"""Writes the templates of the desktop entry and the AppStream listing,
dist/plimo.desktop.in and dist/plimo.metainfo.xml.in, with the generic name,
the summary and the keywords in every language of the game. CMake fills in
the identity a packager chose (@PLIMO_APP_ID@ and the others) at configure
time (cmake/Install.cmake)."""
import os
import sys
from xml.sax.saxutils import escape

from languages import load_all

# The locale each language is listed under (the game's codes are its own).
LOCALES = {
    "FR": "fr", "EN": None, "NL": "nl", "PT": "pt", "ES": "es", "PL": "pl", "DE": "de", "HU": "hu",
    "IT": "it", "CN": "zh_CN", "HE": "he", "BG": "bg", "SV": "sv", "ZA": "af", "RO": "ro",
}
NAME = "pLiMo lite"


def translated(langs, field):
    english = next(lang for lang in langs if lang.CODE == "EN").LISTING[field]
    others = [(LOCALES[lang.CODE], lang.LISTING[field]) for lang in langs if LOCALES[lang.CODE]]
    return english, sorted(others)


def desktop_entry(langs):
    lines = ["[Desktop Entry]", "Type=Application", f"Name={NAME}"]
    for key, field in (("GenericName", "generic"), ("Comment", "summary"), ("Keywords", "keywords")):
        english, others = translated(langs, field)
        lines.append(f"{key}={english}")
        lines += [f"{key}[{locale}]={text}" for locale, text in others]
    lines += ["Exec=plimo", "Icon=@PLIMO_APP_ID@", "Terminal=false", "Categories=Game;LogicGame;",
              "StartupWMClass=@PLIMO_APP_ID@"]
    return "".join(line + "\n" for line in lines)


def metainfo(langs):
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<component type="desktop-application">',
           "  <id>@PLIMO_APP_ID@</id>", "  <metadata_license>CC0-1.0</metadata_license>",
           "  <project_license>MIT</project_license>", f"  <name>{NAME}</name>"]
    english, others = translated(langs, "summary")
    out.append(f"  <summary>{escape(english)}</summary>")
    out += [f'  <summary xml:lang="{locale}">{escape(text)}</summary>' for locale, text in others]
    out.append("  <developer_name>@PLIMO_DEVELOPER_NAME_XML@</developer_name>")
    out.append(DESCRIPTION)
    out.append('  <launchable type="desktop-id">@PLIMO_APP_ID@.desktop</launchable>')
    out.append("@PLIMO_LISTING_URLS@  <provides>\n    <binary>plimo</binary>\n  </provides>")
    english, others = translated(langs, "keywords")
    out.append("  <keywords>")
    out += [f"    <keyword>{escape(k)}</keyword>" for k in english.split(";") if k]
    for locale, text in others:
        out += [f'    <keyword xml:lang="{locale}">{escape(k)}</keyword>' for k in text.split(";") if k]
    out.append("  </keywords>")
    out.append("@PLIMO_LISTING_SCREENSHOTS@  <recommends>")
    out += [f"    <control>{c}</control>" for c in ("pointing", "keyboard", "touch", "gamepad")]
    out += ["  </recommends>", '  <content_rating type="oars-1.1"/>', "  <releases>",
            '    <release version="@PROJECT_VERSION@" date="2026-12-09"/>', "  </releases>", "</component>"]
    return "".join(line + "\n" for line in out)


DESCRIPTION = """  <description>
    <p>
      pLiMo lite is a tile puzzle for one player. Coloured pieces stand on a
      board of ten by eight cells. Take hold of a piece and drag its shape one
      cell at a time: pieces of the same colour that touch join into one
      shape, and a colour whose pieces all form one shape explodes. A level is
      won when the board is empty.
    </p>
    <ul>
      <li>Five levels, each keeping your last and best time</li>
      <li>Every step can be undone, also after the game was closed</li>
      <li>Play with the mouse, a touch screen, the keyboard or a gamepad</li>
      <li>Choose the look of each colour among 38 tile styles</li>
      <li>Fifteen languages, with a tutorial that shows the rules</li>
    </ul>
  </description>"""


def main(dist_dir):
    langs = load_all()
    for name, text in (("plimo.desktop.in", desktop_entry(langs)), ("plimo.metainfo.xml.in", metainfo(langs))):
        with open(os.path.join(dist_dir, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "dist"))
