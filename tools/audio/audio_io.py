"""Reading and writing the game's sound files: 16-bit PCM RIFF WAVE with the
plain 44-byte header (fmt chunk, then data chunk) and Ogg Vorbis through the
vorbis-tools encoder and decoder."""

import os
import struct
import subprocess
import tempfile

import numpy as np

from dsp import RATE

HEADER_SIZE = 44


def to_pcm16(signal):
    """Float samples in -1..1 to 16-bit integers, rounded; anything beyond
    full scale is clipped (the generators keep well below it)."""
    scaled = np.round(np.asarray(signal) * 32767.0)
    return np.clip(scaled, -32768, 32767).astype('<i2')


def wav_bytes(signal, rate=RATE):
    pcm = to_pcm16(signal)
    channels = 1 if pcm.ndim == 1 else pcm.shape[1]
    data = pcm.tobytes()
    block_align = channels * 2
    header = b'RIFF' + struct.pack('<I', 36 + len(data)) + b'WAVE'
    header += b'fmt ' + struct.pack('<IHHIIHH', 16, 1, channels, rate,
                                    rate * block_align, block_align, 16)
    header += b'data' + struct.pack('<I', len(data))
    return header + data


def write_wav(path, signal, rate=RATE):
    with open(path, 'wb') as f:
        f.write(wav_bytes(signal, rate))


def parse_wav(blob):
    """Parses a WAV file in the game's form and returns (rate, samples as
    float in -1..1, mono (n,) or stereo (n, 2)). Raises ValueError on any
    other layout, so a check over the shipped files fails loudly."""
    if len(blob) < HEADER_SIZE:
        raise ValueError('shorter than a WAV header')
    riff, riff_size, wave = struct.unpack('<4sI4s', blob[:12])
    if riff != b'RIFF' or wave != b'WAVE':
        raise ValueError('not RIFF WAVE')
    if riff_size != len(blob) - 8:
        raise ValueError('RIFF size %d does not match file size %d' % (riff_size, len(blob)))
    fmt_id, fmt_size, tag, channels, rate, byte_rate, align, bits = \
        struct.unpack('<4sIHHIIHH', blob[12:36])
    if fmt_id != b'fmt ' or fmt_size != 16 or tag != 1:
        raise ValueError('fmt chunk is not plain PCM')
    if bits != 16 or channels not in (1, 2):
        raise ValueError('not 16-bit mono or stereo')
    if align != channels * 2 or byte_rate != rate * align:
        raise ValueError('inconsistent block align or byte rate')
    data_id, data_size = struct.unpack('<4sI', blob[36:44])
    if data_id != b'data' or data_size != len(blob) - HEADER_SIZE:
        raise ValueError('data chunk does not follow fmt or has the wrong size')
    if data_size % align:
        raise ValueError('data is not a whole number of frames')
    pcm = np.frombuffer(blob[HEADER_SIZE:], dtype='<i2').astype(np.float64) / 32767.0
    if channels == 2:
        pcm = pcm.reshape(-1, 2)
    return rate, pcm


def read_wav(path):
    with open(path, 'rb') as f:
        return parse_wav(f.read())


def write_ogg(path, signal, serial, quality=4, rate=RATE):
    """Encodes with oggenc. The stream serial number is fixed by the caller so
    that the same samples always give the same bytes."""
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, 'source.wav')
        write_wav(source, signal, rate)
        subprocess.run(['oggenc', '-Q', '-q', str(quality), '--serial', str(serial),
                        '-o', path, source], check=True)


def read_ogg(path):
    """Decodes with oggdec to 16-bit PCM; returns (rate, samples) like
    read_wav."""
    with tempfile.TemporaryDirectory() as tmp:
        decoded = os.path.join(tmp, 'decoded.wav')
        subprocess.run(['oggdec', '-Q', '-b', '16', '-o', decoded, path], check=True)
        return read_wav(decoded)


def read_any(path):
    return read_ogg(path) if path.endswith('.ogg') else read_wav(path)
