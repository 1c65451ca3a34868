"""Writes the 38 tile strips and the shadow and highlight strips."""
from particles import particle
from styles import STYLES, archive_name
from tiles import strip_image, write_fx_strips
from common import save_png


def main():
    written = []
    for stem, fx, _light, material, tint in STYLES:
        written.append(save_png(strip_image(material, particle(fx, tint)), archive_name(stem)))
    written += write_fx_strips()
    return written


if __name__ == "__main__":
    for p in main():
        print(p)
