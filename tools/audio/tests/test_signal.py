"""Signal building blocks, written melodies and loop arrangement."""

import unittest

import numpy as np

from tests import context  # noqa: F401
import dsp
import instruments as inst
import music
import score


def tone(freq, sec, amp=1.0):
    return amp * np.sin(2 * np.pi * freq * dsp.timeline(sec))


def level_at(signal, freq):
    """Amplitude of the component at `freq` (signal a whole number of cycles)."""
    spectrum = np.abs(np.fft.rfft(signal)) * 2 / len(signal)
    bins = np.fft.rfftfreq(len(signal), 1 / dsp.RATE)
    return spectrum[np.argmin(np.abs(bins - freq))]


class WrappedMixing(unittest.TestCase):
    def test_tail_past_the_end_continues_at_the_start(self):
        buf = np.zeros(10)
        dsp.mix_wrapped(buf, np.arange(1.0, 5.0), 8)
        np.testing.assert_array_equal(buf, [3, 4, 0, 0, 0, 0, 0, 0, 1, 2])

    def test_sound_longer_than_the_loop_adds_up_every_pass(self):
        buf = np.zeros(4)
        dsp.mix_wrapped(buf, np.ones(10), 1)
        self.assertEqual(buf.sum(), 10)
        np.testing.assert_array_equal(buf, [2, 3, 3, 2])

    def test_one_shot_mixing_cuts_at_both_ends(self):
        buf = np.zeros(5)
        dsp.mix_into(buf, np.arange(1.0, 5.0), -2)
        dsp.mix_into(buf, np.array([10.0, 20.0]), 4)
        np.testing.assert_array_equal(buf, [3, 4, 0, 0, 10])


class Envelopes(unittest.TestCase):
    def test_fade_edges_starts_and_ends_at_silence_in_both_channels(self):
        stereo = np.ones((2000, 2))
        faded = dsp.fade_edges(stereo, 0.002, 0.01)
        np.testing.assert_array_equal(faded[0], [0, 0])
        np.testing.assert_array_equal(faded[-1], [0, 0])
        np.testing.assert_array_equal(faded[1000], [1, 1])
        self.assertTrue(np.all(np.diff(faded[:dsp.samples(0.002), 0]) >= 0))

    def test_adsr_fills_exactly_and_closes(self):
        for n in (10, 1000, 44100):
            env = dsp.adsr(n, 0.01, 0.05, 0.6, 0.1)
            self.assertEqual(len(env), n)
            self.assertEqual(env[0], 0.0)
            self.assertLess(env[-1], 1e-9)
            self.assertLessEqual(env.max(), 1.0)

    def test_every_instrument_note_dies_away_instead_of_being_cut(self):
        """A note that stops while still sounding clicks; each must start at
        silence and end below -60 dB of its own peak."""
        notes = {
            'marimba low': inst.marimba(dsp.midi_freq(40)),
            'marimba high': inst.marimba(dsp.midi_freq(96)),
            'bell': inst.bell(dsp.midi_freq(72)),
            'fm bell': inst.fm_bell(dsp.midi_freq(84)),
            'kalimba': inst.kalimba(dsp.midi_freq(60)),
            'bass': inst.bass(dsp.midi_freq(36), 0.5),
            'kick': inst.kick(),
            'shaker': inst.shaker(),
            'bright shaker': inst.bright_shaker(),
            'brush': inst.brush(0.5),
            'woodblock': inst.woodblock(),
            'ping glide': dsp.ping(lambda t: 300 + 1000 * t, 0.05),
            'pad': inst.pad(dsp.midi_freq(55), 1.0),
        }
        for name, note in notes.items():
            with self.subTest(name):
                top = dsp.peak(note)
                self.assertGreater(top, 0.0)
                self.assertLess(dsp.peak(note[:2]), 0.01 * top)
                self.assertLess(dsp.peak(note[-2:]), 0.001 * top)


    def test_air_layer_sits_between_4_and_8_khz(self):
        """The shaker and brush brighten the mix: most of their energy lies
        above 4 kHz, next to none above 8 kHz."""
        for name, note in (('bright shaker', inst.bright_shaker(seed=3)),
                           ('brush', inst.brush(0.4, seed=5))):
            with self.subTest(name):
                power = np.square(np.abs(np.fft.rfft(note, 1 << 16)))
                freqs = np.fft.rfftfreq(1 << 16, 1 / dsp.RATE)
                self.assertGreater(power[freqs > 4000].sum() / power.sum(), 0.7)
                self.assertLess(power[freqs > 8000].sum() / power.sum(), 0.01)


class Filtering(unittest.TestCase):
    def test_lowpass_keeps_the_low_tone_and_removes_the_high_one(self):
        # 441 Hz and 11025 Hz both fit a whole number of cycles in 10000 samples.
        mix = tone(441.0, 0.5) + tone(11025.0, 0.5)
        out = dsp.spectral_filter(mix, dsp.lowpass(3000.0, order=4))[5000:15000]
        self.assertAlmostEqual(level_at(out, 441.0), 1.0, delta=0.005)
        self.assertLess(level_at(out, 11025.0), 0.01)

    def test_highpass_blocks_direct_current(self):
        out = dsp.spectral_filter(np.ones(4096) + tone(2000.0, 4096 / dsp.RATE),
                                  dsp.highpass(100.0), circular=True)
        self.assertLess(abs(out.mean()), 1e-6)

    def test_circular_filtering_keeps_a_loop_seamless(self):
        # A periodic signal with a hard edge inside: after circular
        # filtering, two copies side by side must still join smoothly.
        period = np.concatenate([np.ones(500), -np.ones(500)])
        out = dsp.spectral_filter(period, dsp.lowpass(2000.0), circular=True)
        joined = np.concatenate([out, out])
        steps = np.abs(np.diff(joined))
        self.assertAlmostEqual(steps[len(out) - 1], steps[499], delta=0.01)


class Measures(unittest.TestCase):
    def test_short_term_rms_ignores_surrounding_silence(self):
        body = tone(1000.0, 0.1, amp=0.5)
        padded = np.concatenate([np.zeros(40000), body, np.zeros(40000)])
        self.assertAlmostEqual(dsp.short_term_rms(padded), 0.5 / np.sqrt(2), delta=0.005)
        self.assertLess(dsp.rms(padded), 0.1)

    def test_loudness_of_reference_tones(self):
        # A 997 Hz tone at -20 dBFS in both channels measures -20 LUFS; a
        # mono file counts as played on both; a 40 Hz tone is weighted down
        # and a 4 kHz one up; silence around a tone is gated out.
        t = np.arange(dsp.samples(3.0)) / dsp.RATE
        tone = 0.1 * np.sin(2 * np.pi * 997.0 * t)
        cases = (
            (np.stack([tone, tone], axis=1), -20.0, 0.1),
            (tone, -20.0, 0.1),
            (0.1 * np.sin(2 * np.pi * 40.0 * t), -20.0 - 6.0, 2.0),
            (0.1 * np.sin(2 * np.pi * 4000.0 * t), -20.0 + 3.0, 1.5),
            (np.concatenate([tone, np.zeros(dsp.samples(6.0))]), -20.0, 0.3),  # -24.8 ungated
        )
        for signal, lufs, tolerance in cases:
            self.assertAlmostEqual(dsp.integrated_loudness(signal), lufs, delta=tolerance)
        # A 100 ms burst counts a quarter of a 400 ms block: 6 LU less.
        burst = tone[:dsp.samples(0.1)]
        self.assertAlmostEqual(dsp.momentary_loudness(burst), -26.0, delta=0.2)

    def test_centroid_of_a_pure_tone_is_its_frequency(self):
        self.assertAlmostEqual(dsp.spectral_centroid(tone(1500.0, 1.0)), 1500.0, delta=5.0)

    def test_constant_power_pan(self):
        left, centre = dsp.pan(np.ones(1), -1.0), dsp.pan(np.ones(1), 0.0)
        np.testing.assert_allclose(left[0], [1.0, 0.0], atol=1e-12)
        np.testing.assert_allclose(centre[0], [np.sqrt(0.5)] * 2)


class WrittenMusic(unittest.TestCase):
    def test_note_names(self):
        for name, number in (('C4', 60), ('A4', 69), ('F#3', 54), ('Bb5', 82), ('C-1', 0)):
            self.assertEqual(score.note_number(name), number, name)
        for bad in ('H4', 'C', 'c4', 'C##4', 'A44'):
            with self.assertRaises(ValueError, msg=bad):
                score.note_number(bad)
        self.assertAlmostEqual(dsp.midi_freq(69), 440.0)
        self.assertAlmostEqual(dsp.midi_freq(81), 880.0)

    def test_melody_events_rests_and_velocity(self):
        events = score.parse_line('C5/1 r/1 E5/0.5@0.6 G5/1.5 | C6/4')
        self.assertEqual(events, [(0.0, 72, 1.0, 1.0), (2.0, 76, 0.5, 0.6),
                                  (2.5, 79, 1.5, 1.0), (4.0, 84, 4.0, 1.0)])

    def test_a_bar_of_the_wrong_length_is_refused(self):
        with self.assertRaisesRegex(ValueError, 'bar 2 holds 3.5'):
            score.parse_line('C5/4 | C5/2 D5/1.5')
        with self.assertRaises(ValueError):
            score.parse_line('C5/1 D5/1 E5/1 F5/1 G5/1')

    def test_loop_is_a_whole_number_of_beats_and_wraps_tails(self):
        arr = score.Arrangement(bpm=96, bars=2)
        self.assertEqual(arr.music_length, 8 * arr.samples_per_beat)
        self.assertEqual(arr.buffer.shape, (arr.music_length, 2))
        arr.add(np.ones(arr.samples_per_beat), 7.5)  # half of it past the end
        half = arr.samples_per_beat // 2
        self.assertGreater(arr.buffer[half - 1, 0], 0.5)
        self.assertEqual(arr.buffer[half + 1, 0], 0.0)

    def test_one_shot_keeps_room_for_the_tail(self):
        arr = score.Arrangement(bpm=120, bars=1, looping=False, tail_sec=1.0)
        self.assertEqual(arr.buffer.shape[0], arr.music_length + dsp.RATE)
        arr.add(np.ones(3 * dsp.RATE), 0)  # longer than everything: cut, not wrapped
        self.assertAlmostEqual(arr.buffer[-1, 0], np.sqrt(0.5))


class Room(unittest.TestCase):
    def test_circular_reverb_wraps_the_tail_of_the_last_sample(self):
        impulse = score.reverb_impulse(0.2, 0.2, seed=5)
        loop = np.zeros((dsp.RATE, 2))
        loop[-1] = 1.0
        wet = score.convolve(loop, impulse, circular=True)
        linear = score.convolve(np.concatenate([loop, np.zeros_like(loop)]), impulse,
                                circular=False)
        # What the linear tail rings after the loop ends comes back at its start.
        np.testing.assert_allclose(wet[:5000], linear[dsp.RATE:dsp.RATE + 5000], atol=1e-9)

    def test_reverb_longer_than_the_loop_is_refused(self):
        with self.assertRaises(ValueError):
            score.convolve(np.zeros((100, 2)), np.zeros((200, 2)), circular=True)

    def test_impulse_is_dark_and_has_unit_energy(self):
        impulse = score.reverb_impulse(1.0, 0.8, seed=9)
        self.assertAlmostEqual(np.sum(np.square(impulse)) / 2, 1.0, places=6)
        self.assertEqual(dsp.peak(impulse[:dsp.samples(0.01)]), 0.0)  # pre-delay
        # White noise would centre near 11 kHz.
        self.assertLess(dsp.spectral_centroid(impulse), 4000.0)


class SeamlessLoop(unittest.TestCase):
    def test_loop_equals_what_endless_repetition_plays(self):
        """One pass rendered as a loop must match a pass in the middle of
        the same music played three times in a row, note tails and room
        included: then the loop point cannot be heard."""
        def arrange(looping, passes):
            arr = score.Arrangement(bpm=120, bars=2 * passes, looping=looping,
                                    tail_sec=0.0)
            for p in range(passes):
                # Rings over the end, but dies (with its room) within one pass.
                arr.add(inst.bell(dsp.midi_freq(76), length_scale=0.5), 8 * p + 7.5, 0.3)
                arr.add(inst.pad(dsp.midi_freq(60), 1.5), 8 * p + 6.0)
                arr.add(inst.marimba(dsp.midi_freq(67)), 8 * p + 0.0, -0.4)
            return arr
        loop = arrange(True, 1)
        unrolled = arrange(False, 3)
        args = dict(wet_gain=0.3, seed=3, room_sec=1.0)
        once = music.room_and_tone(loop.buffer, True, **args)
        played = music.room_and_tone(unrolled.buffer, False, **args)
        middle = played[loop.music_length:2 * loop.music_length]
        self.assertLess(dsp.peak(once - middle), 1e-3 * dsp.peak(middle))
        # Without the wrap the start of the loop would lack the tails.
        self.assertGreater(dsp.peak(once[:1000]), 0.01 * dsp.peak(middle))


if __name__ == '__main__':
    unittest.main()
