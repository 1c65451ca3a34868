"""Note names, written melodies and the two kinds of arrangement buffer: a
loop, in which everything that runs past the end wraps round to the start,
and a one-shot piece with room for its tail."""

import re

import numpy as np

from dsp import RATE, mix_into, mix_wrapped, noise, pan, spectral_filter, lowpass

NOTE_OFFSETS = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}
NOTE_PATTERN = re.compile(r'^([A-G])([#b]?)(-?\d)$')


def note_number(name):
    """MIDI number of a note name such as 'C4' (60), 'F#3' or 'Bb5'."""
    match = NOTE_PATTERN.match(name)
    if not match:
        raise ValueError('bad note name %r' % name)
    letter, accidental, octave = match.groups()
    number = 12 * (int(octave) + 1) + NOTE_OFFSETS[letter]
    return number + {'#': 1, 'b': -1, '': 0}[accidental]


def parse_line(text, beats_per_bar=4):
    """Parses a written line such as 'E5/1 G5/0.5 r/0.5 C6/2 | ...' into
    (start beat, MIDI note, length in beats) events. Bars are separated by
    '|' and each must add up to exactly one bar, which catches typing slips;
    'r' is a rest, and a token may carry a velocity: 'E5/1@0.6'."""
    events = []
    for index, bar in enumerate(text.split('|')):
        beat = 0.0
        for token in bar.split():
            velocity = 1.0
            if '@' in token:
                token, vel_text = token.split('@')
                velocity = float(vel_text)
            name, length_text = token.split('/')
            length = float(length_text)
            if name != 'r':
                events.append((index * beats_per_bar + beat, note_number(name), length, velocity))
            beat += length
        if abs(beat - beats_per_bar) > 1e-9:
            raise ValueError('bar %d holds %g beats, not %d' % (index + 1, beat, beats_per_bar))
    return events


def chord_notes(text):
    """'C3 E3 G3' -> [48, 52, 55]."""
    return [note_number(name) for name in text.split()]


class Arrangement:
    """A stereo buffer laid out in bars of whole beats. Every beat is a whole
    number of samples, so the bar grid never drifts."""

    def __init__(self, bpm, bars, beats_per_bar=4, looping=True, tail_sec=0.0):
        self.samples_per_beat = int(round(RATE * 60.0 / bpm))
        self.beats_per_bar = beats_per_bar
        self.bars = bars
        self.looping = looping
        self.music_length = bars * beats_per_bar * self.samples_per_beat
        total = self.music_length + (0 if looping else int(round(tail_sec * RATE)))
        self.buffer = np.zeros((total, 2))

    def position(self, beat):
        return int(round(beat * self.samples_per_beat))

    def beat_seconds(self, beats):
        return beats * self.samples_per_beat / RATE

    def add(self, sound, beat, position=0.0, gain=1.0):
        """Places a mono sound panned to `position`, or a stereo sound as it
        is, starting at the given beat."""
        stereo = pan(sound, position) if sound.ndim == 1 else sound
        stereo = stereo * gain
        start = self.position(beat)
        if self.looping:
            mix_wrapped(self.buffer, stereo, start)
        else:
            mix_into(self.buffer, stereo, start)


def reverb_impulse(length_sec, decay_sec, seed, predelay_sec=0.012, cutoff=4500.0):
    """Stereo room impulse: two independent decaying noise tails, darkened so
    the reverb never adds brightness."""
    n = int(round(length_sec * RATE))
    t = np.arange(n) / RATE
    channels = []
    for offset in (0, 1):
        tail = spectral_filter(noise(n, seed + offset), lowpass(cutoff))
        envelope = np.exp(-6.9 * t / decay_sec)  # -60 dB at decay_sec
        envelope[:int(predelay_sec * RATE)] = 0.0
        channels.append(tail * envelope)
    impulse = np.stack(channels, axis=1)
    return impulse / np.sqrt(np.sum(np.square(impulse)) / 2.0)


def convolve(signal, impulse, circular):
    """Stereo convolution by FFT. Circular convolution of a loop wraps the
    reverb tail of its end round to its start, so the loop stays seamless;
    linear convolution returns as many samples as the input."""
    n = signal.shape[0]
    size = n if circular else 1 << int(np.ceil(np.log2(n + impulse.shape[0])))
    if circular and impulse.shape[0] > n:
        raise ValueError('reverb longer than the loop')
    out = np.fft.irfft(np.fft.rfft(signal, size, axis=0) * np.fft.rfft(impulse, size, axis=0),
                       size, axis=0)
    return out[:n]
