"""Runs the tests of the audio generators and of the sound files in Data/.

    python3 tools/audio/run_tests.py            # about half a minute
    AUDIO_FULL_CHECK=1 python3 tools/audio/run_tests.py
                                                # also re-renders the music

Exits non-zero when a test fails, so it can serve as a CTest command.
"""

import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from debian_python import ensure_numpy  # noqa: E402
ensure_numpy()

if __name__ == '__main__':
    suite = unittest.defaultTestLoader.discover(os.path.join(HERE, 'tests'), top_level_dir=HERE)
    result = unittest.TextTestRunner(verbosity=1).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
