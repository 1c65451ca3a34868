"""Measures the shipped sound files as the game will decode them: format,
length, peak, loudness, brightness, silence at the edges and, for the
looping tracks, how smoothly the end joins the start.

    /usr/bin/python3 tools/audio/analyse.py        # prints one row per file
"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from debian_python import ensure_numpy  # noqa: E402
ensure_numpy()

import numpy as np  # noqa: E402

from audio_io import read_any  # noqa: E402
from dsp import (RATE, gain_to_db, integrated_loudness, momentary_loudness, peak, rms,  # noqa: E402
                 short_term_rms, spectral_centroid)
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


def high_share_db(signal, above=4000.0):
    """Energy above a frequency relative to the whole, in dB, of the mono
    mix: how bright a piece sounds."""
    mono = signal.mean(axis=1) if signal.ndim == 2 else signal
    power = np.square(np.abs(np.fft.rfft(mono)))
    freqs = np.fft.rfftfreq(len(mono), 1.0 / RATE)
    return 10.0 * np.log10(power[freqs > above].sum() / max(power.sum(), 1e-30) + 1e-30)


def bar_chroma(signal, bpm, bars):
    """One 12-value pitch-class profile per bar (energy between 80 Hz and
    2 kHz folded onto the twelve notes), each scaled to unit length."""
    mono = signal.mean(axis=1) if signal.ndim == 2 else signal
    bar = int(round(RATE * 60.0 / bpm)) * 4
    freqs = np.fft.rfftfreq(bar, 1.0 / RATE)
    band = (freqs > 80.0) & (freqs < 2000.0)
    pitch_class = np.round(12.0 * np.log2(freqs[band] / 440.0)).astype(int) % 12
    profiles = []
    for index in range(bars):
        power = np.square(np.abs(np.fft.rfft(mono[index * bar:(index + 1) * bar])))[band]
        profile = np.bincount(pitch_class, weights=power, minlength=12)
        profiles.append(profile / max(np.linalg.norm(profile), 1e-30))
    return np.array(profiles)


def section_likeness(signal, bpm, first, second, bars):
    """Mean bar-by-bar similarity (0..1) of the harmony of two stretches of
    a piece starting at the given bars: near 1 when the second repeats the
    chords of the first, lower for a section of its own."""
    chroma = bar_chroma(signal, bpm, max(first, second) + bars)
    return float(np.mean(np.sum(chroma[first:first + bars] * chroma[second:second + bars],
                                axis=1)))


# What the music loops must measure: brightness (energy above 4 kHz relative
# to the whole), nothing harsh above 8 kHz, length, and a seam as smooth as
# the music.
MUSIC_HIGH_SHARE_DB = (-18.0, -12.0)
MUSIC_TOP_SHARE_DB = -30.0
LOOP_SECONDS = (90.0, 120.0)
SEAM_LIMIT = 1.0


def loop_problems(row):
    """What a measured loop fails of the targets above, as readable text."""
    problems = []
    low, high = MUSIC_HIGH_SHARE_DB
    if not low <= row['high_db'] <= high:
        problems.append('energy above 4 kHz %.1f dB, not %g..%g' % (row['high_db'], low, high))
    if row['top_db'] >= MUSIC_TOP_SHARE_DB:
        problems.append('energy above 8 kHz %.1f dB' % row['top_db'])
    if not LOOP_SECONDS[0] <= row['seconds'] <= LOOP_SECONDS[1]:
        problems.append('%.1f s long' % row['seconds'])
    if row['seam'] >= SEAM_LIMIT:
        problems.append('seam %.2f' % row['seam'])
    return problems


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


def game_music_volume(root=ROOT):
    """The volume the game plays its music at (MUSIC_VOLUME in app/music.h);
    effects play at full volume."""
    with open(os.path.join(root, 'app', 'music.h'), encoding='utf-8') as f:
        found = re.search(r'MUSIC_VOLUME\s*=\s*([0-9.]+)f?;', f.read())
    return float(found.group(1))


def measure(path, looping, music_volume=1.0):
    """One file's measures; `music_volume` is the volume the game plays it
    at when it is music (None for an effect)."""
    rate, pcm = read_any(path)
    is_music = music_volume is not None
    lufs = integrated_loudness(pcm) if is_music else momentary_loudness(pcm)
    row = {
        'file': os.path.relpath(path, ROOT),
        'rate': rate,
        'channels': 1 if pcm.ndim == 1 else pcm.shape[1],
        'seconds': pcm.shape[0] / rate,
        'bytes': os.path.getsize(path),
        'peak_db': gain_to_db(peak(pcm)),
        'rms_db': gain_to_db(rms(pcm)),
        'body_db': gain_to_db(short_term_rms(pcm)),
        # Integrated loudness of music, the loudest 400 ms of an effect, and
        # the same as the game plays it.
        'lufs': lufs,
        'play_lufs': lufs + (gain_to_db(music_volume) if is_music else 0.0),
        'centroid_hz': spectral_centroid(pcm),
        'edge_db': gain_to_db(edge_level(pcm)),
        'seam': seam_ratio(pcm) if looping else None,
        'high_db': high_share_db(pcm),
        'top_db': high_share_db(pcm, 8000.0),
        'encoding': encoding(path),
    }
    return row


def all_rows(root=ROOT):
    volume = game_music_volume(root)
    rows = [measure(os.path.join(root, name), False, None) for name, *_ in effects.EFFECTS]
    rows += [measure(os.path.join(root, name), loops, volume) for name, _b, loops, _s in music.TRACKS]
    return rows


def print_rows(rows):
    print('%-32s %5s %2s %6s %7s %6s %6s %6s %6s %6s %6s %6s %5s %5s  %s' % (
        'file', 'rate', 'ch', 'sec', 'bytes', 'peak', 'rms', 'body', 'LUFS', 'inplay', 'cent', 'edge',
        'seam', '>4kHz', 'encoding'))
    for r in rows:
        seam = '%5.2f' % r['seam'] if r['seam'] is not None else '    -'
        print('%-32s %5d %2d %6.3f %7d %6.1f %6.1f %6.1f %6.1f %6.1f %6.0f %6.1f %s %5.1f  %s' % (
            r['file'], r['rate'], r['channels'], r['seconds'], r['bytes'], r['peak_db'],
            r['rms_db'], r['body_db'], r['lufs'], r['play_lufs'], r['centroid_hz'], r['edge_db'],
            seam, r['high_db'], r['encoding']))
    print('total bytes: %d' % sum(r['bytes'] for r in rows))


if __name__ == '__main__':
    print_rows(all_rows())
