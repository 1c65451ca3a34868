"""The nine sound effects. Each builder returns a mono float signal; the
level of each is then set by its role (see LEVELS) and its edges are faded
so no effect starts or stops with a click."""

import numpy as np

from dsp import (RATE, bandpass, db_to_gain, decay_env, fade_edges, midi_freq, noise, peak,
                 ping, samples, short_term_rms, spectral_filter, timeline)
import instruments as inst


def _place(length_sec, parts):
    """Sums (start in seconds, signal) parts into a buffer of the given length."""
    out = np.zeros(samples(length_sec))
    for start, part in parts:
        begin = samples(start)
        end = min(len(out), begin + len(part))
        out[begin:end] += part[:end - begin]
    return out


def slide():
    """One step of a dragged shape: a soft felt 'tok' with a breath of
    friction. Short and gentle, since it sounds at every step."""
    t = timeline(0.11)
    brush = spectral_filter(noise(len(t), 11), bandpass(500.0, 2500.0))
    brush = brush / peak(brush) * decay_env(t, 0.03, attack=0.012)
    return _place(0.11, [(0.0, ping(330.0, 0.018, attack=0.003)),
                         (0.0, 0.3 * ping(705.0, 0.012, attack=0.003)), (0.0, 0.35 * brush)])


def merge():
    """Shapes joining: a round bubble pop sliding upwards, then a bright
    two-note chime."""
    pop = ping(lambda t: 300.0 + 500.0 * (1.0 - np.exp(-t / 0.015)), 0.02)
    chime_a = inst.bell(midi_freq(88), 1.0, length_scale=0.12)   # E6
    chime_b = inst.bell(midi_freq(95), 0.8, length_scale=0.12)   # B6
    return _place(0.38, [(0.0, pop), (0.025, 0.55 * chime_a), (0.075, 0.45 * chime_b)])


def explosion():
    """A colour leaving the board: a round pop, then an airy swish that
    rises and falls under a shower of quick high sparkles drawn from a
    pentatonic scale."""
    length = 0.55
    t = timeline(length)
    pop = ping(lambda t: 420.0 * np.exp(-t / 0.03) + 160.0, 0.022, attack=0.001)
    thump = ping(lambda t: 95.0 * np.exp(-t / 0.2), 0.05)
    swish = spectral_filter(noise(len(t), 23), bandpass(900.0, 4500.0))
    rise = np.clip(t / 0.09, 0, 1) ** 1.5
    swish = swish / peak(swish) * rise * np.exp(-np.clip(t - 0.09, 0, None) / 0.09)
    parts = [(0.0, 0.9 * pop), (0.0, 0.4 * thump), (0.0, 0.3 * swish)]
    rng = np.random.default_rng(29)
    scale = [84, 86, 88, 91, 93, 96, 98, 100]  # C6 pentatonic up to E7
    for i in range(16):
        start = 0.03 + 0.33 * (i / 16.0) + 0.015 * rng.random()
        note = scale[int(rng.integers(0, len(scale)))]
        spark = ping(midi_freq(note), 0.03 + 0.03 * rng.random(), attack=0.001)
        parts.append((start, 0.3 * (1.0 - 0.5 * i / 16.0) * spark))
    return _place(length, parts)


def click():
    """A crisp tap: small hard wooden block with a very short bright edge."""
    t = timeline(0.07)
    edge = spectral_filter(noise(len(t), 31), bandpass(2000.0, 5000.0))
    edge = edge / peak(edge) * decay_env(t, 0.003, attack=0.0004)
    return _place(0.07, [(0.0, ping(1500.0, 0.009, attack=0.0006)),
                         (0.0, 0.4 * ping(2650.0, 0.007, attack=0.0006)), (0.0, 0.3 * edge)])


def hover():
    """Pointer over a menu entry: a soft, very short tick of filtered noise
    with a faint woody tone under it."""
    t = timeline(0.05)
    tick = spectral_filter(noise(len(t), 37), bandpass(1200.0, 3500.0))
    tick = tick / peak(tick) * decay_env(t, 0.004, attack=0.0008)
    return _place(0.05, [(0.0, tick), (0.0, 0.5 * ping(1100.0, 0.006, attack=0.001))])


def map_scroll():
    """The map sliding: an airy swoosh whose colour rises and falls."""
    length = 0.45
    n = samples(length)
    t = np.arange(n) / RATE
    bands = [(300, 600), (600, 1100), (1100, 1900), (1900, 3000)]
    centre = np.sin(np.pi * t / length)  # 0 -> 1 -> 0 across the sound
    out = np.zeros(n)
    for index, (low, high) in enumerate(bands):
        band = spectral_filter(noise(n, 41 + index), bandpass(low, high))
        band /= peak(band)
        position = index / (len(bands) - 1)
        weight = np.exp(-((centre - position) ** 2) / 0.08)
        out += band * weight
    hump = np.sin(np.pi * t / length) ** 2
    return out * hump


def level_start():
    """A level beginning: a soft upward swell of air into two low marimba
    notes, G then C, calm and inviting (the win is bright bells)."""
    length = 0.6
    t = timeline(length)
    air = spectral_filter(noise(len(t), 47), bandpass(300.0, 1800.0))
    swell = np.clip(t / 0.16, 0, 1) ** 2 * np.exp(-np.clip(t - 0.16, 0, None) / 0.05)
    air = air / peak(air) * swell
    parts = [(0.0, 0.25 * air),
             (0.14, 0.9 * inst.marimba(midi_freq(55), 1.0)),
             (0.26, 1.0 * inst.marimba(midi_freq(60), 1.0)),
             (0.26, 0.35 * inst.marimba(midi_freq(67), 1.0))]
    return fade_edges(_place(length, parts), 0.0, 0.15)


def level_won():
    """A level won with the music off: a short bright fanfare into a chord."""
    run = [(0.0, 79), (0.07, 84), (0.14, 88)]
    parts = [(start, 0.8 * inst.bell(midi_freq(n), 1.0, length_scale=0.15)) for start, n in run]
    for n in (84, 88, 91, 96):
        parts.append((0.22, 0.45 * inst.bell(midi_freq(n), 1.0, length_scale=0.3)))
        parts.append((0.22, 0.35 * inst.marimba(midi_freq(n - 12), 1.0)))
    return fade_edges(_place(0.6, parts), 0.0, 0.15)


def undo():
    """Taking a step back: a quick downward glide that lands at once, with a
    breath of air that pulls away behind it. Loudest right at the key."""
    length = 0.3
    t = timeline(length)
    glide = ping(lambda t: 520.0 + 480.0 * np.exp(-t / 0.04), 0.05, attack=0.002)
    under = ping(lambda t: 260.0 + 240.0 * np.exp(-t / 0.04), 0.05, attack=0.002)
    air = spectral_filter(noise(len(t), 53), bandpass(600.0, 3000.0))
    air = air / peak(air) * decay_env(t, 0.06, attack=0.004)
    return _place(length, [(0.0, glide), (0.0, 0.5 * under), (0.0, 0.25 * air)])


# Level of each role: (short-term RMS target in dBFS, peak ceiling in dBFS).
# The body of the main effects sits at one loudness; the click a little
# lower; the step and hover sounds, heard constantly, well below.
LEVELS = {
    'main': (-13.0, -3.0),
    'click': (-15.0, -3.0),
    'slide': (-22.0, -9.0),
    'hover': (-26.0, -14.0),
}

EFFECTS = [
    # (archive name, builder, level role, Ogg serial number or None for WAV)
    ('Data/Move2vask.wav', slide, 'slide', None),
    ('Data/Merge.wav', merge, 'main', None),
    ('Data/Disappear.wav', explosion, 'main', None),
    ('Data/Click.wav', click, 'click', None),
    ('Data/MouseOver2.wav', hover, 'hover', None),
    ('Data/Scroll_Map.wav', map_scroll, 'main', None),
    ('Data/pLiMo_SFX_Start_01.ogg', level_start, 'main', 7001),
    ('Data/SFX_Victory_Short_01.ogg', level_won, 'main', 7002),
    ('Data/SFX_Undo.ogg', undo, 'main', 7003),
]


def level(signal, role):
    """Scales to the role's loudness, but never past its peak ceiling."""
    target_rms, ceiling = LEVELS[role]
    gain = db_to_gain(target_rms) / short_term_rms(signal)
    gain = min(gain, db_to_gain(ceiling) / peak(signal))
    return signal * gain


def render(builder, role):
    return level(fade_edges(builder(), 0.0015, 0.02), role)
