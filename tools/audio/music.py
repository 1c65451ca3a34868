"""The four music tracks: three seamless loops (menu, in-game, tutorial) and
the short victory jingle. Each is written as chords, a bass, an accompaniment
pattern, a melody and light percussion, played by the soft instruments of
instruments.py and placed in a small synthetic room."""

import numpy as np

from dsp import db_to_gain, fade_edges, highpass, lowpass, midi_freq, peak, spectral_filter
import instruments as inst
from score import Arrangement, chord_notes, convolve, parse_line, reverb_impulse

MUSIC_PEAK_DB = -1.0

# Beats per minute and bars (of four beats) of each piece.
TEMPO = {
    'victory': (120, 2),
    'menu': (104, 40),
    'in_game': (80, 32),
    'tutorial': (96, 40),
}


class Player:
    """Places notes into an arrangement with a little deterministic
    variation of loudness, so repeated notes do not sound mechanical."""

    def __init__(self, arrangement, seed):
        self.arr = arrangement
        self.rng = np.random.default_rng(seed)

    def vary(self, spread=0.12):
        return 1.0 - spread / 2.0 + spread * self.rng.random()

    def pads(self, chords, gain, beats_per_chord=4):
        for index, chord in enumerate(chords):
            length = self.arr.beat_seconds(beats_per_chord)
            for note in chord_notes(chord):
                self.arr.add(inst.pad(midi_freq(note), length), index * beats_per_chord,
                             gain=gain)

    def bass(self, roots, pattern, gain, position=0.0, first_bar=0):
        """pattern: (beat in bar, length in beats, velocity) triples."""
        bar_beats = self.arr.beats_per_bar
        for index, root in enumerate(roots, start=first_bar):
            freq = midi_freq(chord_notes(root)[0])
            for beat, length, velocity in pattern:
                note = inst.bass(freq, self.arr.beat_seconds(length) * 0.9, velocity * self.vary())
                self.arr.add(note, index * bar_beats + beat, position, gain)

    def arpeggio(self, chords, pattern, instrument, gain, position, transpose=12, step=0.5,
                 first_bar=0):
        """pattern: one chord-tone index (or None for a rest) per step; chord
        tones wrap upwards an octave past the top of the chord."""
        bar_beats = self.arr.beats_per_bar
        for index, chord in enumerate(chords, start=first_bar):
            notes = chord_notes(chord)
            for slot, tone in enumerate(pattern):
                if tone is None:
                    continue
                note = notes[tone % len(notes)] + 12 * (tone // len(notes)) + transpose
                accent = 1.0 if slot % 2 == 0 else 0.8
                sound = instrument(midi_freq(note), accent * self.vary())
                self.arr.add(sound, index * bar_beats + slot * step, position, gain)

    def melody(self, text, instrument, gain, position, first_bar=0):
        offset = first_bar * self.arr.beats_per_bar
        for beat, note, _length, velocity in parse_line(text, self.arr.beats_per_bar):
            sound = instrument(midi_freq(note), velocity * self.vary(0.08))
            self.arr.add(sound, offset + beat, position, gain)

    def drums(self, bars, hits, sound_for, gain, position):
        """hits: beats within the bar; sound_for(i) gives the i-th hit."""
        count = 0
        for bar in bars:
            for beat in hits:
                self.arr.add(sound_for(count) * self.vary(0.2), bar * self.arr.beats_per_bar + beat,
                             position, gain)
                count += 1


def room_and_tone(buffer, looping, wet_gain, seed, room_sec):
    """Adds the room and a gentle roll-off of the lowest rumble and the top
    end. A loop is processed circularly: what rings past its end sounds at
    its start, exactly as when the loop follows itself."""
    impulse = reverb_impulse(min(2.5, room_sec * 1.3), room_sec, seed)
    mix = buffer + wet_gain * convolve(buffer, impulse, circular=looping)
    return spectral_filter(mix, lambda f: lowpass(9000.0)(f) * highpass(45.0)(f),
                           circular=looping)


def finish(arr, wet_gain, seed, room_sec=1.8):
    """Room and tone, a fade to silence for a one-shot piece, then the peak
    level."""
    mix = room_and_tone(arr.buffer, arr.looping, wet_gain, seed, room_sec)
    if not arr.looping:
        mix = fade_edges(mix, 0.002, 0.6)
    return mix * (db_to_gain(MUSIC_PEAK_DB) / peak(mix))


def passes(*lines):
    return ' | '.join(lines)


def first_bars(text, count):
    """The first `count` bars of a written line."""
    return ' | '.join(text.split('|')[:count])


def air_layer(play, bars, steps, brush_beats, shaker_gain, brush_gain, brush_beats_long=1.5,
              seed=0):
    """The bright top of the mix: a shaker on every step (steps: (beat,
    velocity) pairs within the bar) and, on the given beats, a brush swept
    across the snare for `brush_beats_long` beats, alternating left and
    right."""
    shaker_hits = [beat for beat, _v in steps]
    velocities = [v for _b, v in steps]
    play.drums(bars, shaker_hits,
               lambda i: inst.bright_shaker(velocities[i % len(steps)], seed=seed + i % 11),
               gain=shaker_gain, position=0.35)
    if brush_beats:
        length = play.arr.beat_seconds(brush_beats_long)
        for side in (0, 1):
            play.drums(bars, brush_beats[side::2],
                       lambda i: inst.brush(length, seed=seed + 50 + i % 7),
                       gain=brush_gain, position=-0.45 if side == 0 else 0.5)


SIXTEENTHS = [(0.0, 1.0), (0.25, 0.45), (0.5, 0.75), (0.75, 0.45)] * 4
SIXTEENTHS = [(b + 1.0 * (i // 4), v) for i, (b, v) in enumerate(SIXTEENTHS)]
EIGHTHS = [(0.5 * i, 1.0 if i % 2 else 0.6) for i in range(8)]


def in_game():
    """Calm and unobtrusive, for long play: 80 bpm, C major, 32 bars: a
    section in C (played twice with a new melody the second time), then one
    in A minor, turning back to the start through C7."""
    arr = Arrangement(*TEMPO['in_game'])
    play = Player(arr, seed=201)
    a_chords = ['F3 A3 C4 E4', 'G3 B3 D4 E4', 'E3 G3 B3 D4', 'A3 C4 E4 G4',
                'D3 F3 A3 C4', 'G3 C4 D4 F4', 'C3 E3 G3 B3', 'C3 G3 D4 E4']
    a_roots = ['F2', 'G2', 'E2', 'A2', 'D2', 'G2', 'C2', 'C2']
    b_chords = ['A3 C4 E4 G4', 'F3 A3 C4 E4', 'D3 F3 A3 C4', 'E3 G#3 B3 D4',
                'A3 C4 E4 G4', 'F3 A3 C4 E4', 'G3 B3 D4 F4']
    b_roots = ['A2', 'F2', 'D2', 'E2', 'A2', 'F2', 'G2']
    chords = a_chords * 2 + b_chords + ['E3 G#3 B3 D4'] + b_chords + ['C3 E3 G3 Bb3']
    roots = a_roots * 2 + b_roots + ['E2'] + b_roots + ['C2']
    play.pads(chords, gain=0.05)
    play.bass(roots[:16], [(0, 2.5, 1.0), (3, 1, 0.6)], gain=0.1)
    play.bass(roots[16:], [(0, 1.5, 1.0), (2, 1, 0.7), (3, 1, 0.6)], gain=0.1, first_bar=16)
    play.arpeggio(chords[:16], [0, None, 2, 1, 3, None, 2, None], inst.marimba, gain=0.11,
                  position=-0.3)
    play.arpeggio(chords[16:], [0, 2, 3, None, 1, None, 2, None], inst.marimba, gain=0.1,
                  position=-0.3, first_bar=16)
    melody = passes(
        'r/2 C5/1 E5/1 | D5/3 r/1 | r/2 B4/1 D5/1 | C5/2 E5/2 | '
        'F5/1.5 E5/0.5 D5/2 | r/1 C5/1 D5/2 | E5/4 | r/2 G4/1 C5/1',
        'A5/1.5 G5/0.5 E5/2 | D5/1 E5/1 G5/2 | B5/1.5 A5/0.5 G5/2 | E5/2 r/1 C5/1 | '
        'D5/1 F5/1 A5/1 G5/1 | F5/2 D5/2 | E5/1 D5/1 C5/2 | r/4',
        'r/1 E5/1 A5/1 G5/1 | E5/3 C5/1 | D5/1 F5/1 A5/1.5 G5/0.5 | G#5/2 B4/2 | '
        'C5/1 E5/1 A5/2 | G5/1.5 F5/0.5 E5/2 | D5/1 F5/1 B5/1 A5/1 | G#5/3 r/1',
        'A5/1.5 B5/0.5 C6/2 | A5/2 E5/2 | F5/1 A5/1 D6/1 C6/1 | B5/3 r/1 | '
        'C6/1 B5/1 A5/1 E5/1 | F5/1 E5/1 C5/2 | D5/1.5 E5/0.5 F5/1 D5/1 | E5/2 G5/1 Bb5/1')
    play.melody(melody, inst.bell, gain=0.09, position=0.3)
    play.drums(range(8, 32), [0.0], lambda i: inst.kick(), gain=0.08, position=0.0)
    air_layer(play, range(16), EIGHTHS, [1.0, 3.0], shaker_gain=0.115, brush_gain=0.08, seed=220)
    air_layer(play, range(16, 32), EIGHTHS, [0.0, 1.0, 2.0, 3.0], shaker_gain=0.115,
              brush_gain=0.09, seed=240)
    return finish(arr, wet_gain=0.35, seed=211)


def menu():
    """Brighter and livelier: 104 bpm, G major, 40 bars: a section in G
    played twice, one leaning to E minor played twice, and the first eight
    bars again."""
    arr = Arrangement(*TEMPO['menu'])
    play = Player(arr, seed=101)
    a_chords = ['G3 B3 D4', 'F#3 A3 D4', 'E3 G3 B3 D4', 'C4 D4 E4 G4',
                'A3 C4 E4 G4', 'F#3 A3 D4', 'B3 D4 G4', 'D4 F#4 A4']
    a_roots = ['G2', 'F#2', 'E2', 'C3', 'A2', 'D3', 'B2', 'D3']
    b_chords = ['C4 E4 G4 B4', 'D4 F#4 A4', 'B3 D4 G4', 'E3 G3 B3 D4',
                'A3 C4 E4 G4', 'B3 D#4 F#4 A4', 'E3 G3 B3', 'D4 F#4 A4 C5']
    b_roots = ['C3', 'D3', 'B2', 'E2', 'A2', 'B2', 'E2', 'D3']
    chords = a_chords * 2 + b_chords * 2 + a_chords
    roots = a_roots * 2 + b_roots * 2 + a_roots
    play.pads(chords, gain=0.04)
    play.bass(roots, [(0, 1, 1.0), (1.5, 0.5, 0.6), (2, 1, 0.85), (3, 1, 0.7)], gain=0.1)
    # The second pass climbs higher, so the repeat does not sound like a copy.
    play.arpeggio(a_chords, [0, 1, 2, 3, 1, 2, 3, 2], inst.marimba, gain=0.1, position=-0.3)
    play.arpeggio(a_chords, [0, 2, 1, 3, 2, 4, 3, 1], inst.marimba, gain=0.1, position=-0.3,
                  first_bar=8)
    play.arpeggio(b_chords * 2, [0, 2, 4, 2, 1, 3, 2, 3], inst.marimba, gain=0.09,
                  position=-0.3, first_bar=16)
    play.arpeggio(a_chords, [0, 1, 2, 3, 1, 2, 3, 2], inst.marimba, gain=0.1, position=-0.3,
                  first_bar=32)
    a_melody = passes(
        'D5/1 G5/1 B5/1 A5/1 | A5/2 F#5/1 D5/1 | E5/1 G5/1 B5/1.5 A5/0.5 | G5/3 r/1 | '
        'A5/1 C6/1 B5/1 A5/1 | F#5/2 A5/1 D5/1 | G5/1 B5/1 D6/1 B5/1 | A5/3 r/1',
        'B5/1.5 A5/0.5 G5/1 D5/1 | F#5/1 A5/1 D6/2 | B5/1 G5/1 E5/1 G5/1 | E5/1 D5/1 E5/1 G5/1 | '
        'A5/1.5 B5/0.5 C6/1 E5/1 | D5/1 F#5/1 A5/2 | G5/1 D5/1 B4/1 D5/1 | A5/2 F#5/1 r/1')
    b_melody = passes(
        'E5/1.5 D5/0.5 E5/1 G5/1 | F#5/2 A5/1 F#5/1 | G5/1 D5/1 B4/1 D5/1 | E5/3 r/1 | '
        'C6/1.5 B5/0.5 A5/1 E5/1 | D#5/1 F#5/1 A5/1 B5/1 | G5/1.5 F#5/0.5 E5/1 B4/1 | '
        'A4/1 C5/1 D5/1 F#5/1',
        'G5/1 E5/1 C6/1.5 B5/0.5 | A5/2 F#5/1 D5/1 | B5/1 G5/1 D5/1 G5/1 | E5/1 G5/1 B5/2 | '
        'A5/1 C6/1 E6/1.5 C6/0.5 | B5/2 A5/1 F#5/1 | E5/1 G5/1 B5/1 G5/1 | F#5/2 D5/1 r/1')
    melody = passes(a_melody, b_melody, first_bars(a_melody, 8))
    play.melody(melody, lambda f, v: inst.fm_bell(f, v, ratio=3.5, index=0.9, tau=0.8),
                gain=0.1, position=0.25)
    a_bars = list(range(16)) + list(range(32, 40))
    play.drums(a_bars, [0.0, 2.0], lambda i: inst.kick(), gain=0.09, position=0.0)
    play.drums(range(16, 32), [0.0, 1.5, 2.5], lambda i: inst.kick(0.8 if i % 3 else 1.0),
               gain=0.085, position=0.0)
    play.drums(a_bars, [1.0, 3.0], lambda i: inst.woodblock(), gain=0.035, position=-0.4)
    play.drums(range(16, 32), [3.0], lambda i: inst.woodblock(), gain=0.03, position=-0.4)
    air_layer(play, a_bars, SIXTEENTHS, [1.0, 3.0], shaker_gain=0.24, brush_gain=0.12,
              brush_beats_long=1.0, seed=120)
    air_layer(play, range(16, 32), SIXTEENTHS, [1.0, 3.0], shaker_gain=0.22, brush_gain=0.16,
              brush_beats_long=1.2, seed=140)
    return finish(arr, wet_gain=0.28, seed=111, room_sec=1.5)


def tutorial():
    """Light and friendly: 96 bpm, F major, 40 bars, plucked accompaniment:
    a section in F played twice, one through B flat and D minor played
    twice, and the first eight bars again."""
    arr = Arrangement(*TEMPO['tutorial'])
    play = Player(arr, seed=301)
    a_chords = ['F3 A3 C4', 'D3 F3 A3 C4', 'Bb3 D4 F4', 'C4 E4 G4',
                'A3 C4 F4', 'D4 F4 A4', 'G3 Bb3 D4 F4', 'Bb3 C4 E4 G4']
    a_roots = ['F2', 'D2', 'Bb2', 'C3', 'A2', 'D3', 'G2', 'C3']
    b_head = ['Bb3 D4 F4', 'C4 E4 G4', 'A3 C4 E4', 'D4 F4 A4', 'G3 Bb3 D4 F4']
    b_chords = b_head + ['C4 E4 G4 Bb4', 'F3 A3 C4', 'F3 A3 C4 Eb4'] + \
        b_head + ['A3 C#4 E4 G4', 'D4 F4 A4', 'C4 E4 G4 Bb4']
    b_roots = ['Bb2', 'C3', 'A2', 'D3', 'G2', 'C3', 'F2', 'F2',
               'Bb2', 'C3', 'A2', 'D3', 'G2', 'A2', 'D3', 'C3']
    chords = a_chords * 2 + b_chords + a_chords
    roots = a_roots * 2 + b_roots + a_roots
    play.pads(chords, gain=0.03)
    play.bass(roots, [(0, 1.5, 1.0), (2, 1.5, 0.8)], gain=0.09)
    play.arpeggio(a_chords, [0, None, 1, 2, None, 1, 2, None], inst.kalimba, gain=0.1,
                  position=-0.35)
    play.arpeggio(a_chords, [0, None, 2, 1, None, 3, 2, 1], inst.kalimba, gain=0.1,
                  position=-0.35, first_bar=8)
    play.arpeggio(b_chords, [None, 0, 1, None, 2, 1, None, 3], inst.kalimba, gain=0.1,
                  position=-0.35, first_bar=16)
    play.arpeggio(a_chords, [0, None, 1, 2, None, 1, 2, None], inst.kalimba, gain=0.1,
                  position=-0.35, first_bar=32)
    a_melody = passes(
        'C5/0.5 F5/0.5 A5/1 G5/0.5 F5/0.5 r/1 | D5/1 F5/1 A5/2 | Bb4/0.5 D5/0.5 F5/1 G5/1 F5/1 | '
        'E5/2 G5/1 r/1 | A5/1 C6/0.5 A5/0.5 F5/2 | D5/1 E5/1 F5/1 A5/1 | '
        'Bb5/1.5 A5/0.5 G5/1 F5/1 | E5/1 G5/1 C5/2',
        'F5/1 A5/1 C6/1 A5/1 | F5/1 D5/1 A4/2 | D5/1 F5/0.5 G5/0.5 Bb5/2 | G5/1 E5/1 C5/2 | '
        'C5/0.5 F5/0.5 A5/1 C6/1 A5/1 | F5/2 D5/1 E5/1 | F5/1 G5/1 Bb5/1 A5/1 | G5/3 r/1')
    b_melody = passes(
        'D5/1 F5/1 Bb5/1.5 A5/0.5 | G5/1 E5/1 C5/2 | C5/0.5 E5/0.5 A5/1 G5/1 E5/1 | '
        'F5/2 D5/1 r/1 | G5/1 Bb5/1 D6/1 Bb5/1 | A5/1 G5/1 E5/1 C5/1 | F5/1.5 G5/0.5 A5/2 | '
        'C6/1 A5/1 Eb5/2',
        'F5/1 D5/1 Bb4/1 D5/1 | E5/1.5 F5/0.5 G5/2 | A5/1 C6/1 E5/1 A5/1 | F5/3 r/1 | '
        'Bb5/1 A5/1 G5/1 D5/1 | C#5/1 E5/1 G5/1 A5/1 | F5/2 D5/1 A4/1 | Bb4/1 C5/1 E5/1 G5/1')
    melody = passes(a_melody, b_melody, first_bars(a_melody, 8))
    play.melody(melody, inst.marimba, gain=0.12, position=0.25)
    play.melody(melody, lambda f, v: inst.bell(f * 2.0, v, length_scale=0.5), gain=0.018,
                position=0.35)
    a_bars = list(range(16)) + list(range(32, 40))
    play.drums(range(40), [1.0, 3.0], lambda i: inst.woodblock(1040.0), gain=0.025,
               position=-0.4)
    play.drums(range(16, 32), [0.0, 2.5], lambda i: inst.kick(0.7), gain=0.07, position=0.0)
    air_layer(play, a_bars, EIGHTHS, [1.0, 3.0], shaker_gain=0.22, brush_gain=0.12,
              brush_beats_long=1.2, seed=320)
    air_layer(play, range(16, 32), SIXTEENTHS, [1.0, 3.0], shaker_gain=0.2, brush_gain=0.14,
              brush_beats_long=1.2, seed=340)
    return finish(arr, wet_gain=0.3, seed=311, room_sec=1.4)


def victory_jingle():
    """Short fanfare after a won level: a rising run into a ringing C major
    chord, about five seconds with its tail; does not loop."""
    arr = Arrangement(*TEMPO['victory'], looping=False, tail_sec=1.6)
    play = Player(arr, seed=401)
    fanfare = ('G4/0.333 C5/0.333 E5/0.334 G5/1 E5/0.5 G5/0.5 A5/0.5 B5/0.5 | C6/4')
    play.melody(fanfare, lambda f, v: inst.bell(f, v, length_scale=0.8), gain=0.2, position=0.2)
    play.melody(fanfare, inst.marimba, gain=0.12, position=-0.2)
    for beat, chord, gain in ((0, 'C4 E4 G4', 0.05), (2, 'F3 A3 C4 F4', 0.05),
                              (3, 'G3 B3 D4 F4', 0.05), (4, 'C4 E4 G4 C5', 0.07)):
        length = arr.beat_seconds(1 if beat < 4 else 3)
        for note in chord_notes(chord):
            arr.add(inst.pad(midi_freq(note), length, attack=0.15, release=1.2), beat, gain=gain)
    for i, name in enumerate(['C5', 'E5', 'G5', 'C6', 'E6']):
        arr.add(inst.marimba(midi_freq(chord_notes(name)[0]), 0.9), 4 + 0.08 * i, -0.5 + 0.25 * i,
                0.1)
    play.bass(['C3', 'C3'], [(0, 1, 0.9)], gain=0.15)
    arr.add(inst.bass(midi_freq(chord_notes('G2')[0]), 0.4), 3, 0.0, 0.15)
    arr.add(inst.kick(), 4, 0.0, 0.14)
    arr.add(inst.kick(0.6), 0, 0.0, 0.14)
    return finish(arr, wet_gain=0.3, seed=411)


TRACKS = [
    # (archive name, builder, loops, Ogg serial number)
    ('Data/pLiMo_SFX_Victory_01.ogg', victory_jingle, False, 7100),
    ('Data/Plimo_Menu.ogg', menu, True, 7101),
    ('Data/Plimo_InGame.ogg', in_game, True, 7102),
    ('Data/Plimo_Tuto.ogg', tutorial, True, 7103),
]

# Sections of each loop: (name, first bar, bars). The second section is in
# another key area with its own melody, accompaniment and drums.
SECTIONS_OF = {
    'Data/Plimo_Menu.ogg': [('A', 0, 16), ('B', 16, 16), ('A', 32, 8)],
    'Data/Plimo_InGame.ogg': [('A', 0, 16), ('B', 16, 16)],
    'Data/Plimo_Tuto.ogg': [('A', 0, 16), ('B', 16, 16), ('A', 32, 8)],
}

TEMPO_OF = {
    'Data/pLiMo_SFX_Victory_01.ogg': TEMPO['victory'],
    'Data/Plimo_Menu.ogg': TEMPO['menu'],
    'Data/Plimo_InGame.ogg': TEMPO['in_game'],
    'Data/Plimo_Tuto.ogg': TEMPO['tutorial'],
}
