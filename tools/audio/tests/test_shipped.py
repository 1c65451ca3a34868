"""Checks of the committed sound files in Data/, decoded as the game decodes
them, and a check that they are what the generators make today.

The regeneration of the music takes about a minute; it runs only when
AUDIO_FULL_CHECK=1 is set."""

import os
import tempfile
import unittest

import numpy as np

from tests.context import ROOT
import analyse
import audio_io
import dsp
import effects
import make_all
import music

EFFECT_NAMES = [entry[0] for entry in effects.EFFECTS]
LOOP_NAMES = [name for name, _b, loops, _s in music.TRACKS if loops]
JINGLE = 'Data/pLiMo_SFX_Victory_01.ogg'

_decoded = {}


def decoded(name):
    if name not in _decoded:
        _decoded[name] = audio_io.read_any(os.path.join(ROOT, name))
    return _decoded[name]


def high_band_db(signal, above=8000.0):
    mono = signal.mean(axis=1) if signal.ndim == 2 else signal
    power = np.square(np.abs(np.fft.rfft(mono)))
    freqs = np.fft.rfftfreq(len(mono), 1 / dsp.RATE)
    return 10 * np.log10(power[freqs > above].sum() / power.sum() + 1e-30)


class Effects(unittest.TestCase):
    def test_form_and_length(self):
        for name in EFFECT_NAMES:
            with self.subTest(name):
                rate, pcm = decoded(name)  # parse_wav refuses any other WAVE layout
                self.assertEqual(rate, 44100)
                self.assertIn(pcm.ndim, (1, 2))
                self.assertTrue(0.05 <= pcm.shape[0] / rate <= 0.6, pcm.shape[0] / rate)
                self.assertEqual(name.endswith('.wav'), effects.EFFECTS[
                    EFFECT_NAMES.index(name)][3] is None)

    def test_start_and_end_in_silence(self):
        for name in EFFECT_NAMES:
            with self.subTest(name):
                _rate, pcm = decoded(name)
                self.assertLess(dsp.gain_to_db(analyse.edge_level(pcm, 3)), -45.0)

    def test_levels_follow_the_roles(self):
        loud = {}
        for name, _builder, role, _serial in effects.EFFECTS:
            _rate, pcm = decoded(name)
            target, ceiling = effects.LEVELS[role]
            top = dsp.gain_to_db(dsp.peak(pcm))
            loud[name] = dsp.momentary_loudness(pcm)
            with self.subTest(name):
                self.assertLessEqual(top, ceiling + 0.5)  # Vorbis may move a peak slightly
                self.assertLessEqual(loud[name], target + 0.5)
                # Either the loudness target or the peak ceiling was reached.
                self.assertTrue(loud[name] > target - 1.0 or top > ceiling - 0.5,
                                (loud[name], top))
        main = [loud[n] for n, _b, role, _s in effects.EFFECTS if role == 'main']
        self.assertLess(max(main) - min(main), 1.5)
        self.assertLess(loud['Data/MouseOver2.wav'], min(main) - 10.0)
        self.assertLess(loud['Data/Move2vask.wav'], min(main) - 6.0)

    def test_event_effects_stand_3_to_6_lu_above_the_music_as_played(self):
        volume = analyse.game_music_volume(ROOT)
        music_lufs = {name: dsp.integrated_loudness(decoded(name)[1] * volume) for name in LOOP_NAMES}
        for name, _builder, role, _serial in effects.EFFECTS:
            if role not in ('main', 'click'):
                continue
            above = dsp.momentary_loudness(decoded(name)[1])
            for loop, lufs in music_lufs.items():
                with self.subTest(name, music=loop):
                    self.assertGreaterEqual(above - lufs, 3.0)
                    self.assertLessEqual(above - lufs, 6.0)

    def test_no_harsh_top(self):
        for name in EFFECT_NAMES:
            with self.subTest(name):
                self.assertLess(high_band_db(decoded(name)[1]), -30.0)


def envelope(name, window=0.005):
    """Short-term RMS of an effect, one value per sample."""
    _rate, pcm = decoded(name)
    mono = pcm.mean(axis=1) if pcm.ndim == 2 else pcm
    n = dsp.samples(window)
    return np.sqrt(np.convolve(np.square(mono), np.ones(n) / n, 'same'))


def band_envelope(name, low, high, start, end):
    """RMS of the part of an effect between two times (seconds) within a
    frequency band."""
    _rate, pcm = decoded(name)
    mono = pcm.mean(axis=1) if pcm.ndim == 2 else pcm
    part = mono[dsp.samples(start):dsp.samples(end)]
    filtered = dsp.spectral_filter(part, dsp.bandpass(low, high))
    return float(np.sqrt(np.mean(np.square(filtered))))


class EffectOnsets(unittest.TestCase):
    def ms(self, index):
        return 1000.0 * index / dsp.RATE

    def test_taps_are_short_transients(self):
        for name, longest in (('Data/Click.wav', 100), ('Data/MouseOver2.wav', 60)):
            env = envelope(name)
            with self.subTest(name):
                self.assertLess(self.ms(np.argmax(env)), 8.0)
                # Gone (30 dB down) well inside the file.
                late = np.nonzero(env > env.max() * 10 ** (-30 / 20))[0][-1]
                self.assertLess(self.ms(late), longest)

    def test_undo_peaks_at_the_key(self):
        self.assertLess(self.ms(np.argmax(envelope('Data/SFX_Undo.ogg'))), 30.0)

    def test_explosion_pops_then_swishes_under_the_bells(self):
        name = 'Data/Disappear.wav'
        env = envelope(name)
        self.assertLess(self.ms(np.argmax(env)), 15.0)
        # Noise between the bells' partials: air in the 1-4 kHz band keeps
        # sounding after the pop, and fades by the end.
        swish = band_envelope(name, 1000.0, 4000.0, 0.06, 0.16)
        tail = band_envelope(name, 1000.0, 4000.0, 0.45, 0.55)
        self.assertGreater(dsp.gain_to_db(swish), -40.0)
        self.assertGreater(swish, 4 * tail)

    def test_explosion_starts_with_a_crack(self):
        # In its first 8 ms the 1.5-7 kHz band is at least as strong as
        # everything under 1 kHz: a crack, not only a low pop.
        crack = band_envelope('Data/Disappear.wav', 1500.0, 7000.0, 0.0, 0.008)
        body = band_envelope('Data/Disappear.wav', 80.0, 1000.0, 0.0, 0.008)
        self.assertGreater(crack, body)

    def test_level_start_is_bright(self):
        # Most of its energy above 500 Hz, so that laptop speakers play it.
        _rate, pcm = decoded('Data/pLiMo_SFX_Start_01.ogg')
        power = np.square(np.abs(np.fft.rfft(pcm)))
        freqs = np.fft.rfftfreq(len(pcm), 1 / dsp.RATE)
        self.assertGreater(power[freqs > 500.0].sum() / power.sum(), 0.6)

    def test_level_start_differs_from_level_won(self):
        start, won = 'Data/pLiMo_SFX_Start_01.ogg', 'Data/SFX_Victory_Short_01.ogg'

        def spectrum(name):
            _rate, pcm = decoded(name)
            mono = pcm.mean(axis=1) if pcm.ndim == 2 else pcm
            return np.abs(np.fft.rfft(mono, 2 ** 15))
        a, b = spectrum(start), spectrum(won)
        similarity = float(np.dot(a, b) / np.linalg.norm(a) / np.linalg.norm(b))
        self.assertLess(similarity, 0.5)


class Music(unittest.TestCase):
    def test_form_and_length(self):
        for name, _builder, loops, _serial in music.TRACKS:
            with self.subTest(name):
                rate, pcm = decoded(name)
                self.assertEqual(rate, 44100)
                self.assertEqual(pcm.shape[1], 2)
                seconds = pcm.shape[0] / rate
                if loops:
                    low, high = analyse.LOOP_SECONDS
                    self.assertTrue(low <= seconds <= high, seconds)
                else:
                    self.assertTrue(4.0 <= seconds <= 6.0, seconds)

    def test_loops_are_whole_bars(self):
        for name in LOOP_NAMES:
            with self.subTest(name):
                bpm, bars = music.TEMPO_OF[name]
                beat = int(round(dsp.RATE * 60.0 / bpm))
                self.assertEqual(decoded(name)[1].shape[0], bars * 4 * beat)

    def test_loop_point_is_as_smooth_as_the_music(self):
        for name in LOOP_NAMES:
            with self.subTest(name):
                self.assertLess(analyse.seam_ratio(decoded(name)[1]), 1.0)

    def test_loops_meet_their_targets(self):
        """The measurements make_all.py insists on: bright top, nothing
        harsh above it, length, seam."""
        for name in LOOP_NAMES:
            with self.subTest(name):
                row = analyse.measure(os.path.join(ROOT, name), True)
                self.assertEqual(analyse.loop_problems(row), [])

    def test_brightness_measure_tells_a_dull_mix(self):
        # The same loop with its top above 4 kHz taken away must fail the
        # brightness target.
        pcm = decoded('Data/Plimo_Menu.ogg')[1]
        dull = dsp.spectral_filter(pcm, dsp.lowpass(2500.0, order=8), circular=True)
        self.assertLess(analyse.high_share_db(dull), analyse.MUSIC_HIGH_SHARE_DB[0])

    def test_each_loop_has_a_second_section(self):
        """Bar by bar, the harmony of the second section is not that of the
        first, while the two passes of the first share their chords."""
        for name in LOOP_NAMES:
            with self.subTest(name):
                bpm, _bars = music.TEMPO_OF[name]
                sections = music.SECTIONS_OF[name]
                self.assertEqual(sum(bars for _n, _f, bars in sections), music.TEMPO_OF[name][1])
                pcm = decoded(name)[1]
                repeat = analyse.section_likeness(pcm, bpm, 0, 8, 8)
                second = analyse.section_likeness(pcm, bpm, 0, 16, 16)
                self.assertGreater(repeat, 0.9)
                self.assertLess(second, min(0.8, repeat - 0.15), (second, repeat))

    def test_seam_measure_notices_a_click(self):
        # The same loop cut 2000 samples short of its true length must not
        # pass as seamless.
        _rate, pcm = decoded('Data/Plimo_Menu.ogg')
        self.assertGreater(analyse.seam_ratio(pcm[:-2000]), 1.0)

    def test_levels_and_tone(self):
        for name, _builder, _loops, _serial in music.TRACKS:
            with self.subTest(name):
                pcm = decoded(name)[1]
                top = dsp.gain_to_db(dsp.peak(pcm))
                self.assertTrue(-2.5 <= top <= -0.3, top)
                self.assertLess(high_band_db(pcm), -30.0)
        centroid = {n: dsp.spectral_centroid(decoded(n)[1]) for n in LOOP_NAMES}
        self.assertLess(centroid['Data/Plimo_InGame.ogg'], centroid['Data/Plimo_Menu.ogg'])

    def test_jingle_fades_out(self):
        pcm = decoded(JINGLE)[1]
        self.assertLess(dsp.gain_to_db(dsp.peak(pcm[-441:])), -50.0)
        self.assertLess(dsp.gain_to_db(dsp.peak(pcm[:3])), -45.0)

    def test_everything_fits_the_budget(self):
        total = sum(os.path.getsize(os.path.join(ROOT, name))
                    for name in EFFECT_NAMES + [t[0] for t in music.TRACKS])
        self.assertLess(total, 5 * 1024 * 1024)


class Regeneration(unittest.TestCase):
    """The committed files must be what the generators make. On this kind
    of machine a re-run gives the same bytes; elsewhere the maths library
    may round the last bit of a sine differently, so the comparison is of
    the decoded samples, to well below anything audible."""

    def assert_same_sound(self, fresh_path, name):
        _rate_a, fresh = audio_io.read_any(fresh_path)
        _rate_b, shipped = decoded(name)
        self.assertEqual(fresh.shape, shipped.shape)
        self.assertLess(dsp.peak(fresh - shipped), 0.002)

    def test_effects_match_their_generators(self):
        with tempfile.TemporaryDirectory() as tmp:
            for name, builder, role, serial in effects.EFFECTS:
                with self.subTest(name):
                    path = os.path.join(tmp, os.path.basename(name))
                    signal = effects.render(builder, role)
                    if serial is None:
                        audio_io.write_wav(path, signal)
                    else:
                        audio_io.write_ogg(path, signal, serial, make_all.EFFECT_QUALITY)
                    self.assert_same_sound(path, name)

    @unittest.skipUnless(os.environ.get('AUDIO_FULL_CHECK') == '1', 'set AUDIO_FULL_CHECK=1')
    def test_music_matches_its_generators(self):
        with tempfile.TemporaryDirectory() as tmp:
            for name, builder, _loops, serial in music.TRACKS:
                with self.subTest(name):
                    path = os.path.join(tmp, os.path.basename(name))
                    audio_io.write_ogg(path, builder(), serial, make_all.MUSIC_QUALITY)
                    self.assert_same_sound(path, name)


if __name__ == '__main__':
    unittest.main()
