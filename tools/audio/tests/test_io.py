"""WAVE writing and parsing, and the Ogg Vorbis round trip."""

import os
import struct
import tempfile
import unittest

import numpy as np

from tests import context  # noqa: F401
import audio_io
import dsp


def sweep(sec=0.3, channels=1):
    t = dsp.timeline(sec)
    mono = 0.5 * np.sin(2 * np.pi * (300 + 800 * t) * t)
    signal = dsp.fade_edges(mono, 0.005, 0.02)
    return signal if channels == 1 else np.stack([signal, 0.5 * signal], axis=1)


class Wave(unittest.TestCase):
    def test_header_is_the_plain_44_byte_form(self):
        for channels in (1, 2):
            blob = audio_io.wav_bytes(sweep(0.01, channels))
            frames = dsp.samples(0.01)
            riff, size, wave, fmt, fmt_size, tag, ch, rate, byte_rate, align, bits, data, \
                data_size = struct.unpack('<4sI4s4sIHHIIHH4sI', blob[:44])
            self.assertEqual((riff, wave, fmt, data), (b'RIFF', b'WAVE', b'fmt ', b'data'))
            self.assertEqual((fmt_size, tag, ch, rate, bits), (16, 1, channels, 44100, 16))
            self.assertEqual((align, byte_rate), (2 * channels, 44100 * 2 * channels))
            self.assertEqual(data_size, frames * 2 * channels)
            self.assertEqual(size, len(blob) - 8)
            self.assertEqual(len(blob), 44 + data_size)

    def test_round_trip_within_one_step(self):
        for channels in (1, 2):
            original = sweep(0.1, channels)
            rate, back = audio_io.parse_wav(audio_io.wav_bytes(original))
            self.assertEqual(rate, 44100)
            self.assertEqual(back.shape, original.shape)
            self.assertLess(np.max(np.abs(back - original)), 1.0 / 32767)

    def test_values_beyond_full_scale_are_clipped_not_wrapped(self):
        pcm = audio_io.to_pcm16(np.array([1.5, -1.5, 1.0, -1.0, 0.0]))
        np.testing.assert_array_equal(pcm, [32767, -32768, 32767, -32767, 0])

    def test_damaged_files_are_refused(self):
        good = audio_io.wav_bytes(sweep(0.01))
        damaged = {
            'truncated data': good[:-2],
            'too short': good[:30],
            'not RIFF': b'RIFX' + good[4:],
            'wrong RIFF size': good[:4] + struct.pack('<I', 99) + good[8:],
            'float format': good[:20] + struct.pack('<H', 3) + good[22:],
            '8-bit': good[:34] + struct.pack('<H', 8) + good[36:],
            'odd frame': good + b'\0',
        }
        for name, blob in damaged.items():
            with self.subTest(name), self.assertRaises(ValueError):
                audio_io.parse_wav(blob)


class Vorbis(unittest.TestCase):
    def test_same_samples_and_serial_give_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            paths = [os.path.join(tmp, name) for name in ('a.ogg', 'b.ogg', 'c.ogg')]
            audio_io.write_ogg(paths[0], sweep(), serial=42)
            audio_io.write_ogg(paths[1], sweep(), serial=42)
            audio_io.write_ogg(paths[2], sweep(), serial=43)
            blobs = []
            for path in paths:
                with open(path, 'rb') as f:
                    blobs.append(f.read())
            self.assertEqual(blobs[0], blobs[1])
            self.assertNotEqual(blobs[0], blobs[2])
            self.assertEqual(struct.unpack('<I', blobs[0][14:18])[0], 42)  # stream serial

    def test_decoding_keeps_length_channels_and_shape(self):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, 'x.ogg')
            original = sweep(0.5, channels=2)
            audio_io.write_ogg(path, original, serial=1)
            rate, back = audio_io.read_any(path)
            self.assertEqual(rate, 44100)
            self.assertEqual(back.shape, original.shape)
            error = dsp.rms(back - original) / dsp.rms(original)
            self.assertLess(error, 0.1)


if __name__ == '__main__':
    unittest.main()
