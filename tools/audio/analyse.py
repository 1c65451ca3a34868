"""Measures the shipped sound files as the game will decode them: format,
length, peak, loudness, brightness, silence at the edges and, for the
looping tracks, how smoothly the end joins the start.

    /usr/bin/python3 tools/audio/analyse.py        # prints one row per file
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from debian_python import ensure_numpy  # noqa: E402
ensure_numpy()

import numpy as np  # noqa: E402

from audio_io import read_any  # noqa: E402
from dsp import gain_to_db, peak, rms, short_term_rms, spectral_centroid  # noqa: E402
import effects  # noqa: E402
import music  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def seam_ratio(signal):
    """Jump from the last sample back to the first, divided by the 99th
    percentile of the sample-to-sample steps inside the track (the worst
    channel). Below about 1 the loop point is as smooth as the music
    itself; a click shows as a ratio of several tens or more."""
    frames = signal if signal.ndim == 2 else signal[:, None]
    jump = np.abs(frames[0] - frames[-1])
    steps = np.abs(np.diff(frames, axis=0))
    typical = np.percentile(steps, 99, axis=0)
    return float(np.max(jump / np.maximum(typical, 1e-9)))


def edge_level(signal, n=10):
    """Largest magnitude within the first and last n samples (a quarter of a
    millisecond): a sound that starts or stops abruptly shows up here."""
    return max(peak(signal[:n]), peak(signal[-n:]))


def encoding(path):
    """What the file holds, read from its own header: 16-bit PCM WAVE (the
    only WAVE layout read_any accepts) or a Vorbis stream in Ogg."""
    with open(path, 'rb') as f:
        head = f.read(64)
    if head.startswith(b'RIFF'):
        return 'WAVE PCM 16-bit'
    if head.startswith(b'OggS') and b'\x01vorbis' in head:
        return 'Ogg Vorbis'
    return 'unknown'


def measure(path, looping):
    rate, pcm = read_any(path)
    row = {
        'file': os.path.relpath(path, ROOT),
        'rate': rate,
        'channels': 1 if pcm.ndim == 1 else pcm.shape[1],
        'seconds': pcm.shape[0] / rate,
        'bytes': os.path.getsize(path),
        'peak_db': gain_to_db(peak(pcm)),
        'rms_db': gain_to_db(rms(pcm)),
        'body_db': gain_to_db(short_term_rms(pcm)),
        'centroid_hz': spectral_centroid(pcm),
        'edge_db': gain_to_db(edge_level(pcm)),
        'seam': seam_ratio(pcm) if looping else None,
        'encoding': encoding(path),
    }
    return row


def all_rows(root=ROOT):
    rows = [measure(os.path.join(root, name), False) for name, *_ in effects.EFFECTS]
    rows += [measure(os.path.join(root, name), loops) for name, _b, loops, _s in music.TRACKS]
    return rows


def print_rows(rows):
    print('%-32s %5s %2s %6s %7s %6s %6s %6s %6s %6s %5s  %s' % (
        'file', 'rate', 'ch', 'sec', 'bytes', 'peak', 'rms', 'body', 'cent', 'edge', 'seam',
        'encoding'))
    for r in rows:
        seam = '%5.2f' % r['seam'] if r['seam'] is not None else '    -'
        print('%-32s %5d %2d %6.3f %7d %6.1f %6.1f %6.1f %6.0f %6.1f %s  %s' % (
            r['file'], r['rate'], r['channels'], r['seconds'], r['bytes'], r['peak_db'],
            r['rms_db'], r['body_db'], r['centroid_hz'], r['edge_db'], seam, r['encoding']))
    print('total bytes: %d' % sum(r['bytes'] for r in rows))


if __name__ == '__main__':
    print_rows(all_rows())
