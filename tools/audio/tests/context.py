"""Puts the generator modules on the import path for the tests."""

import os
import sys

AUDIO_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ROOT = os.path.dirname(os.path.dirname(AUDIO_DIR))
if AUDIO_DIR not in sys.path:
    sys.path.insert(0, AUDIO_DIR)
