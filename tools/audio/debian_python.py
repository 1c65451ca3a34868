"""Makes an entry script run under an interpreter that has numpy. The Debian
interpreter carries python3-numpy; another python3 found first on the PATH
(a pyenv shim, a virtual environment) may not, and then the script restarts
itself under /usr/bin/python3."""

import os
import sys

DEBIAN_PYTHON = '/usr/bin/python3'


def ensure_numpy():
    try:
        import numpy  # noqa: F401
    except ImportError:
        if os.path.realpath(sys.executable) != os.path.realpath(DEBIAN_PYTHON) \
                and os.path.exists(DEBIAN_PYTHON):
            os.execv(DEBIAN_PYTHON, [DEBIAN_PYTHON] + sys.argv)
        raise
