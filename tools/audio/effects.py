"""The nine sound effects. Each builder returns a mono float signal; the
level of each is then set by its role (see LEVELS) and its edges are faded
so no effect starts or stops with a click."""

import numpy as np

from dsp import (RATE, bandpass, db_to_gain, decay_env, fade_edges, midi_freq, momentary_loudness,
                 noise, peak, ping, samples, spectral_filter, timeline)
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


def _burst(length, seed, low, high, tau, attack=0.0004):
    """A short burst of band-limited noise that dies away with time constant tau."""
    t = timeline(length)
    burst = spectral_filter(noise(len(t), seed), bandpass(low, high))
    return burst / peak(burst) * decay_env(t, tau, attack=attack)


def _droplet(start_hz, end_hz, tau):
    """A drop landing in water: a tone whose pitch springs upwards."""
    return ping(lambda t: end_hz - (end_hz - start_hz) * np.exp(-t / 0.012), tau, attack=0.001)


def merge():
    """Shapes joining: two droplets, one just after the other, melt into a
    round wet 'gloop', and a warm marimba third rings the new shape."""
    gloop = ping(lambda t: 180.0 + 140.0 * (1.0 - np.exp(-t / 0.03)), 0.045, attack=0.002)
    squish = _burst(0.06, 13, 700.0, 2600.0, 0.015, attack=0.004)
    return _place(0.38, [(0.0, 0.8 * _droplet(700.0, 1300.0, 0.018)),
                         (0.045, 0.9 * _droplet(850.0, 1650.0, 0.02)),
                         (0.04, 0.8 * gloop), (0.04, 0.25 * squish),
                         (0.09, 0.55 * inst.marimba(midi_freq(76), 1.0)),    # E5
                         (0.09, 0.45 * inst.marimba(midi_freq(79), 1.0))])   # G5


def explosion():
    """A colour leaving the board: a sharp crack, a round pop, then an airy
    swish that rises and falls under a shower of quick high sparkles drawn
    from a pentatonic scale."""
    length = 0.55
    t = timeline(length)
    crack = _burst(0.03, 19, 1500.0, 6500.0, 0.0035, attack=0.0002)
    pop = ping(lambda t: 420.0 * np.exp(-t / 0.03) + 160.0, 0.022, attack=0.001)
    thump = ping(lambda t: 95.0 * np.exp(-t / 0.2), 0.05)
    swish = spectral_filter(noise(len(t), 23), bandpass(900.0, 4500.0))
    rise = np.clip(t / 0.09, 0, 1) ** 1.5
    swish = swish / peak(swish) * rise * np.exp(-np.clip(t - 0.09, 0, None) / 0.09)
    parts = [(0.0, 1.6 * crack), (0.006, 0.9 * pop), (0.006, 0.4 * thump), (0.0, 0.3 * swish)]
    rng = np.random.default_rng(29)
    scale = [84, 86, 88, 91, 93, 96, 98, 100]  # C6 pentatonic up to E7
    for i in range(16):
        start = 0.03 + 0.33 * (i / 16.0) + 0.015 * rng.random()
        note = scale[int(rng.integers(0, len(scale)))]
        spark = ping(midi_freq(note), 0.03 + 0.03 * rng.random(), attack=0.001)
        parts.append((start, 0.3 * (1.0 - 0.5 * i / 16.0) * spark))
    return _place(length, parts)


def click():
    """A button pressed: the dry snap of a small plastic key (a burst of
    noise and two short resonances of its body) with a soft knock under it,
    and the fainter tick of its release."""
    press = _burst(0.02, 31, 1800.0, 6000.0, 0.0015)
    body = ping(lambda t: 1250.0 + 250.0 * np.exp(-t / 0.004), 0.014, attack=0.0004)
    ring = ping(2100.0, 0.01, attack=0.0004)
    knock = ping(lambda t: 240.0 + 160.0 * np.exp(-t / 0.006), 0.018, attack=0.0006)
    release = _burst(0.012, 33, 2500.0, 6000.0, 0.001)
    return _place(0.08, [(0.002, 0.7 * press), (0.002, body), (0.002, 0.35 * ring), (0.002, 0.8 * knock),
                         (0.032, 0.4 * release)])


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
    """A level beginning: a bright upward swell of air into a rising
    marimba fourth, D then G, with a kalimba's open fifth sparkling over
    it: light and inviting (the win is a bell run into a chord)."""
    length = 0.6
    t = timeline(length)
    air = spectral_filter(noise(len(t), 47), bandpass(1200.0, 5000.0))
    swell = np.clip(t / 0.16, 0, 1) ** 2 * np.exp(-np.clip(t - 0.16, 0, None) / 0.05)
    air = air / peak(air) * swell
    parts = [(0.0, 0.3 * air),
             (0.14, 0.8 * inst.marimba(midi_freq(74), 1.0)),     # D5
             (0.26, 1.0 * inst.marimba(midi_freq(79), 1.0)),     # G5
             (0.26, 0.3 * inst.marimba(midi_freq(67), 1.0)),     # G4 under it
             (0.3, 0.35 * inst.kalimba(midi_freq(86), 1.0)),     # D6
             (0.34, 0.25 * inst.kalimba(midi_freq(93), 1.0))]    # A6
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
    # A moment of silence first, so that the encoder starts from silence too.
    return _place(length, [(0.003, glide), (0.003, 0.5 * under), (0.003, 0.25 * air)])


# Level of each role: (loudest 400 ms in LUFS, peak ceiling in dBFS). The
# game plays the music at 0.3 of full scale, where its loops measure -25 to
# -24 LUFS; the effects that mark an event stand 3 to 6 LU above that, at one
# loudness (the short click reaches it as nearly as its peak allows). The
# step and hover sounds, heard constantly, stay well below.
LEVELS = {
    'main': (-20.0, -1.0),
    'click': (-20.0, -1.0),
    'slide': (-28.5, -9.0),
    'hover': (-36.0, -14.0),
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
    target, ceiling = LEVELS[role]
    gain = db_to_gain(target - momentary_loudness(signal))
    gain = min(gain, db_to_gain(ceiling) / peak(signal))
    return signal * gain


def render(builder, role):
    return level(fade_edges(builder(), 0.0015, 0.02), role)
