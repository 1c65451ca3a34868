"""Signal building blocks shared by the effect and music generators.

Every signal is a float64 numpy array at RATE samples per second, mono
(shape (n,)) or stereo (shape (n, 2)), nominally within -1..1. Nothing here
draws on global randomness: noise comes from generators seeded by the caller,
so the same call always gives the same samples.
"""

import numpy as np

RATE = 44100


def seconds(n):
    return n / RATE


def samples(sec):
    return int(round(sec * RATE))


def timeline(sec):
    """Sample times 0 .. sec (exclusive) in seconds."""
    return np.arange(samples(sec)) / RATE


def db_to_gain(db):
    return 10.0 ** (db / 20.0)


def gain_to_db(gain):
    return 20.0 * np.log10(max(gain, 1e-12))


def midi_freq(note):
    """Frequency of a MIDI note number (A4 = 69 = 440 Hz)."""
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def ramp_in(n, length):
    """Raised-cosine rise over the first `length` samples of an n-sample span."""
    env = np.ones(n)
    length = min(length, n)
    if length > 0:
        env[:length] = 0.5 - 0.5 * np.cos(np.pi * np.arange(length) / length)
    return env


def fade_edges(signal, fade_in_sec=0.002, fade_out_sec=0.01):
    """Forces a signal to start and end at silence with raised-cosine ramps."""
    n = signal.shape[0]
    env = ramp_in(n, samples(fade_in_sec)) * ramp_in(n, samples(fade_out_sec))[::-1]
    # The last sample of the fade-out ramp is exactly 0.
    if samples(fade_out_sec) > 0:
        env[-1] = 0.0
    if signal.ndim == 2:
        env = env[:, None]
    return signal * env


def decay_env(t, tau, attack=0.002):
    """Struck-object envelope: short raised-cosine attack, exponential decay."""
    env = np.exp(-t / tau)
    a = samples(attack)
    if a > 0:
        env *= ramp_in(len(t), a)
    return env


def adsr(n, attack, decay, sustain, release):
    """Attack-decay-sustain-release envelope spanning exactly n samples; the
    release occupies the last `release` seconds."""
    a, d, r = samples(attack), samples(decay), samples(release)
    if a + r > n:
        # Too short for both ramps: share the span between them so the
        # envelope still rises from and returns to silence.
        a = min(n, max(1, n * a // max(a + r, 1)))
        r = n - a
    d = min(d, n - a - r)
    s = n - a - d - r
    env = np.concatenate([
        0.5 - 0.5 * np.cos(np.pi * np.arange(a) / max(a, 1)),
        1.0 - (1.0 - sustain) * (0.5 - 0.5 * np.cos(np.pi * np.arange(d) / max(d, 1))),
        np.full(s, sustain),
        sustain * (0.5 + 0.5 * np.cos(np.pi * np.arange(1, r + 1) / max(r, 1))),
    ])
    return env


def sine(freq, t, phase=0.0):
    """Sine at a fixed frequency, or along a frequency curve when `freq` is an
    array as long as `t` (the phase is the running sum of the frequency)."""
    if np.ndim(freq) == 0:
        return np.sin(2.0 * np.pi * freq * t + phase)
    phase_curve = 2.0 * np.pi * np.cumsum(freq) / RATE
    return np.sin(phase_curve - phase_curve[0] + phase)


def ping(freq, tau, attack=0.002):
    """A single decaying tone, long enough (seven time constants) to fade to
    silence by itself. `freq` is a number or a function of the time array,
    for a gliding pitch."""
    t = timeline(7.0 * tau)
    f = freq(t) if callable(freq) else freq
    tone = sine(f, t) * decay_env(t, tau, attack)
    return tone * ramp_in(len(t), samples(min(0.01, tau)))[::-1]


def partials(freq, t, ratios, amps, taus, attack=0.002, limit_hz=9000.0):
    """Additive struck tone: each partial with its own amplitude and decay.
    Partials above `limit_hz` are left out to keep the top end soft."""
    out = np.zeros(len(t))
    for ratio, amp, tau in zip(ratios, amps, taus):
        f = freq * ratio
        if f >= limit_hz:
            continue
        out += amp * np.sin(2.0 * np.pi * f * t) * np.exp(-t / tau)
    return out * ramp_in(len(t), samples(attack))


def noise(n, seed):
    return np.random.default_rng(seed).standard_normal(n)


def spectral_filter(signal, response, circular=False):
    """Filters a signal by a zero-phase magnitude response given as a function
    of frequency in Hz. Linear filtering pads the signal so that nothing wraps;
    circular filtering keeps a looping signal periodic."""
    n = signal.shape[0]
    size = n if circular else 1 << int(np.ceil(np.log2(2 * n)))
    spectrum = np.fft.rfft(signal, size, axis=0)
    gains = response(np.fft.rfftfreq(size, 1.0 / RATE))
    if signal.ndim == 2:
        gains = gains[:, None]
    out = np.fft.irfft(spectrum * gains, size, axis=0)
    return out[:n]


def lowpass(cutoff, order=2):
    """Smooth low-pass magnitude response (Butterworth-shaped)."""
    return lambda f: 1.0 / np.sqrt(1.0 + (f / cutoff) ** (2 * order))


def highpass(cutoff, order=2):
    def response(f):
        ratio = np.where(f > 0, cutoff / np.maximum(f, 1e-9), np.inf)
        return 1.0 / np.sqrt(1.0 + ratio ** (2 * order))
    return response


def bandpass(low, high, order=4):
    lp, hp = lowpass(high, order), highpass(low, order)
    return lambda f: lp(f) * hp(f)


def pan(mono, position):
    """Constant-power pan: position -1 (left) .. 0 (centre) .. 1 (right)."""
    angle = (position + 1.0) * np.pi / 4.0
    return np.stack([mono * np.cos(angle), mono * np.sin(angle)], axis=1)


def mix_into(buffer, signal, start):
    """Adds `signal` into `buffer` from sample `start`, cutting what falls
    outside the buffer."""
    if start < 0:
        signal = signal[-start:]
        start = 0
    end = min(buffer.shape[0], start + signal.shape[0])
    if end > start:
        buffer[start:end] += signal[:end - start]


def mix_wrapped(buffer, signal, start):
    """Adds `signal` into a looping `buffer` from sample `start`; whatever runs
    past the end continues from the beginning, so note tails that cross the
    loop point sound at the start of the next pass."""
    n = buffer.shape[0]
    pos = start % n
    offset = 0
    while offset < signal.shape[0]:
        chunk = min(n - pos, signal.shape[0] - offset)
        buffer[pos:pos + chunk] += signal[offset:offset + chunk]
        offset += chunk
        pos = 0


def peak(signal):
    return float(np.max(np.abs(signal))) if signal.size else 0.0


def rms(signal):
    return float(np.sqrt(np.mean(np.square(signal)))) if signal.size else 0.0


def short_term_rms(signal, window_sec=0.05):
    """Loudest RMS over sliding windows: the level of the body of a short
    sound, unaffected by how long its quiet tail is."""
    mono = signal.mean(axis=1) if signal.ndim == 2 else signal
    w = max(1, min(len(mono), samples(window_sec)))
    energy = np.concatenate([[0.0], np.cumsum(np.square(mono))])
    means = (energy[w:] - energy[:-w]) / w
    return float(np.sqrt(max(means.max(), 0.0)))


def spectral_centroid(signal):
    """Power-weighted mean frequency in Hz."""
    mono = signal.mean(axis=1) if signal.ndim == 2 else signal
    power = np.square(np.abs(np.fft.rfft(mono)))
    freqs = np.fft.rfftfreq(len(mono), 1.0 / RATE)
    total = power.sum()
    return float((freqs * power).sum() / total) if total > 0 else 0.0


# Loudness as ITU-R BS.1770 defines it. K-weighting: the two published 48 kHz
# biquads (a high shelf of about +4 dB above 2 kHz, then a high-pass near
# 38 Hz), applied through their magnitude response at each frequency.
_K_WEIGHTING = (
    ((1.53512485958697, -2.69169618940638, 1.19839281085285), (1.0, -1.69065929318241, 0.73248077421585)),
    ((1.0, -2.0, 1.0), (1.0, -1.99004745483398, 0.99007225036621)),
)


def k_weighting(f):
    z = np.exp(-2j * np.pi * np.asarray(f, dtype=np.float64) / 48000.0)
    gain = np.ones(np.shape(f))
    for b, a in _K_WEIGHTING:
        gain = gain * np.abs((b[0] + b[1] * z + b[2] * z * z) / (a[0] + a[1] * z + a[2] * z * z))
    return gain


def _block_loudness(signal, block_sec=0.4, step_sec=0.1):
    """Loudness (LUFS) of each 400 ms block, 75 % overlapped. A mono sound
    counts as played on both channels, as the game's mixer plays it; a
    sound shorter than a block is measured in one block padded with
    silence, as a listener integrates a short sound."""
    stereo = signal if signal.ndim == 2 else np.stack([signal, signal], axis=1)
    weighted = spectral_filter(stereo, k_weighting)
    power = np.square(weighted).sum(axis=1)
    w, step = samples(block_sec), samples(step_sec)
    if len(power) < w:
        power = np.concatenate([power, np.zeros(w - len(power))])
    energy = np.concatenate([[0.0], np.cumsum(power)])
    starts = np.arange(0, len(power) - w + 1, step)
    means = (energy[starts + w] - energy[starts]) / w
    return -0.691 + 10.0 * np.log10(np.maximum(means, 1e-20))


def momentary_loudness(signal):
    """The loudest 400 ms of a sound, in LUFS: how loud a short effect is."""
    return float(_block_loudness(signal).max())


def integrated_loudness(signal):
    """Gated integrated loudness in LUFS: blocks under -70 LUFS are left
    out, then those more than 10 LU under the mean of the rest."""
    blocks = _block_loudness(signal)

    def mean_of(selected):
        return -0.691 + 10.0 * np.log10(np.mean(10.0 ** ((selected + 0.691) / 10.0)))
    kept = blocks[blocks > -70.0]
    if kept.size == 0:
        return -70.0
    kept = kept[kept > mean_of(kept) - 10.0]
    return float(mean_of(kept))
