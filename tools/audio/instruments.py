"""Soft synthetic instruments: each returns a mono note as a float array that
starts and ends at silence. Partials are kept below about 9 kHz so nothing
sounds harsh; the air layer (bright shaker, brush) sits in a band from about
4.3 to 6.8 kHz with steep edges, so it brightens the mix without hiss on top."""

import numpy as np

from dsp import (RATE, adsr, bandpass, decay_env, highpass, lowpass, noise, partials,
                 ramp_in, samples, sine, spectral_filter, timeline)


def _length_for(tau, longest=4.0):
    """Enough time for a decay of time constant tau to fall by about 60 dB."""
    return min(longest, 7.0 * tau)


def _tail_off(note, sec=0.03):
    """Gentle fade over the last `sec` so a truncated decay ends at zero."""
    return note * ramp_in(len(note), samples(sec))[::-1]


def marimba(freq, velocity=1.0, seed=0):
    """Wooden bar: fundamental, the bar's fourth-ish overtone dying fast, and a
    soft felt-mallet knock."""
    tau = float(np.clip(0.55 * (261.6 / freq) ** 0.6, 0.12, 1.1))
    t = timeline(_length_for(tau))
    tone = partials(freq, t, [1.0, 3.93, 9.2], [1.0, 0.22, 0.04],
                    [tau, tau / 4.5, tau / 12.0], attack=0.0015)
    knock_len = samples(0.012)
    knock = spectral_filter(noise(knock_len, seed), bandpass(300.0, 1800.0))
    knock *= np.exp(-np.arange(knock_len) / samples(0.003)) * ramp_in(knock_len, 20)
    tone[:knock_len] += 0.08 * knock
    return _tail_off(tone * velocity)


def bell(freq, velocity=1.0, length_scale=1.0):
    """Soft glockenspiel/celesta-like bell with slightly inharmonic partials."""
    tau = 1.4 * length_scale * float(np.clip((523.0 / freq) ** 0.4, 0.5, 1.5))
    t = timeline(_length_for(tau))
    tone = partials(freq, t, [1.0, 2.0, 2.76, 5.40, 8.93],
                    [1.0, 0.30, 0.22, 0.07, 0.025],
                    [tau, tau * 0.6, tau * 0.45, tau * 0.2, tau * 0.1], attack=0.003)
    return _tail_off(tone * velocity)


def fm_bell(freq, velocity=1.0, ratio=3.5, index=1.2, tau=0.9):
    """Two-operator FM bell whose brightness fades with the note."""
    t = timeline(_length_for(tau))
    mod_index = index * np.exp(-t / (tau * 0.35))
    modulator = mod_index * np.sin(2.0 * np.pi * freq * ratio * t)
    tone = np.sin(2.0 * np.pi * freq * t + modulator) * decay_env(t, tau, attack=0.003)
    return _tail_off(tone * velocity)


def kalimba(freq, velocity=1.0):
    """Plucked tine: round fundamental with a short high 'tink'."""
    tau = float(np.clip(0.7 * (392.0 / freq) ** 0.5, 0.2, 1.2))
    t = timeline(_length_for(tau))
    tone = partials(freq, t, [1.0, 2.0, 5.9], [1.0, 0.12, 0.10],
                    [tau, tau / 3.0, 0.025], attack=0.002)
    return _tail_off(tone * velocity)


def pad(freq, duration, velocity=1.0, detune_cents=5.0, attack=0.9, release=1.4):
    """Warm sustained pad: two slightly detuned soft-sawtooth voices with a
    slow swell; returns stereo so the two voices spread left and right."""
    n = samples(duration + release)
    t = np.arange(n) / RATE
    env = adsr(n, attack, 0.6, 0.8, release)
    voices = []
    for cents, phase in ((-detune_cents, 0.0), (detune_cents, 1.3)):
        f = freq * 2.0 ** (cents / 1200.0)
        voice = np.zeros(n)
        for h in range(1, 7):
            if f * h > 5000.0:
                break
            voice += np.sin(2.0 * np.pi * f * h * t + phase * h) / h ** 1.6
        voices.append(voice)
    shimmer = 1.0 + 0.04 * np.sin(2.0 * np.pi * 0.23 * t)
    left = (0.75 * voices[0] + 0.25 * voices[1]) * env * shimmer
    right = (0.25 * voices[0] + 0.75 * voices[1]) * env * shimmer
    return np.stack([left, right], axis=1) * 0.5 * velocity


def bass(freq, duration, velocity=1.0):
    """Round bass: sine with a touch of second and third harmonic, plucked
    decay into a soft sustain."""
    n = samples(duration + 0.12)
    t = np.arange(n) / RATE
    tone = np.sin(2 * np.pi * freq * t) + 0.25 * np.sin(4 * np.pi * freq * t) \
        + 0.08 * np.sin(6 * np.pi * freq * t)
    env = adsr(n, 0.008, 0.25, 0.55, 0.12)
    return tone * env * velocity


def kick(velocity=1.0):
    """Soft low thump: a sine gliding from 110 Hz down to 48 Hz."""
    t = timeline(0.35)
    freq = 48.0 + 62.0 * np.exp(-t / 0.03)
    return _tail_off(sine(freq, t) * decay_env(t, 0.09, attack=0.002) * velocity)


def shaker(velocity=1.0, seed=0):
    """Short band-limited noise grain."""
    n = samples(0.09)
    grain = spectral_filter(noise(n, seed), bandpass(2500.0, 6000.0, order=3))
    grain /= max(np.max(np.abs(grain)), 1e-9)
    t = np.arange(n) / RATE
    env = decay_env(t, 0.018, attack=0.006)
    return _tail_off(grain * env * velocity, 0.01)


def air_band(f):
    """Magnitude response of the air layer: steep high-pass at 4.3 kHz and
    steeper low-pass at 6.8 kHz, so almost nothing reaches past 8 kHz."""
    return highpass(4300.0, order=4)(f) * lowpass(6800.0, order=12)(f)


def _air_grain(n, seed):
    grain = spectral_filter(noise(n, seed), air_band)
    return grain / max(np.max(np.abs(grain)), 1e-9)


def bright_shaker(velocity=1.0, seed=0):
    """Short, crisp grain of seeds in a shaker: the ticking part of the air
    layer."""
    n = samples(0.07)
    t = np.arange(n) / RATE
    env = decay_env(t, 0.014, attack=0.004)
    return _tail_off(_air_grain(n, seed) * env * velocity, 0.01)


def brush(length, velocity=1.0, seed=0):
    """A brush swept across a snare head: band noise that swells and fades
    over `length` seconds, the sustained part of the air layer."""
    n = samples(length)
    x = np.arange(n) / max(n - 1, 1)
    env = np.sin(np.pi * x ** 0.6) ** 2  # rises quicker than it falls
    return _grain_faded(_air_grain(n, seed) * env * velocity)


def _grain_faded(note):
    return _tail_off(note * ramp_in(len(note), samples(0.003)), 0.01)


def woodblock(freq=820.0, velocity=1.0):
    """Hollow tick of a small wooden block."""
    t = timeline(0.12)
    tone = partials(freq, t, [1.0, 2.1, 3.3], [1.0, 0.35, 0.12], [0.022, 0.012, 0.008],
                    attack=0.0008)
    return _tail_off(tone * velocity, 0.01)


def soft_noise_swell(duration, low, high, seed=0):
    """Breathy noise band, used for brushes and swooshes; returns unit-peak."""
    n = samples(duration)
    band = spectral_filter(noise(n, seed), bandpass(low, high))
    return band / max(np.max(np.abs(band)), 1e-9)


def smooth_lowpass(signal, cutoff):
    return spectral_filter(signal, lowpass(cutoff))
