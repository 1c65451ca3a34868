"""The shipped languages, in archive order. Each module gives CODE, NAME,
FLAG, the credits' words (CREDITS), the desktop entry's and listing's texts
(LISTING) and TEXTS keyed like the game's keys."""
import importlib

ORDER = ("fr", "en", "nl", "pt", "es", "pl", "de", "hu", "it", "cn", "he", "bg", "sv", "za", "ro")


def load_all():
    return [importlib.import_module("languages." + name) for name in ORDER]
