#!/usr/bin/env python3
"""Writes a whisper model file in ggml layout with the tiny model's shape and no tensors.

The engine loads such a file as an empty model: it starts, answers "/", and transcribes every
request to empty text in about a second, which is all the integration tests need from it.

    make-test-model.py OUTPUT
"""
import math
import struct
import sys

GGML_MAGIC = 0x67676D6C
SAMPLE_RATE = 16000
N_FFT = 400
N_MELS = 80

# n_vocab, n_audio_ctx, n_audio_state, n_audio_head, n_audio_layer,
# n_text_ctx, n_text_state, n_text_head, n_text_layer, n_mels, ftype (1 = 16-bit floats)
TINY = (51865, 1500, 384, 6, 4, 448, 384, 6, 4, N_MELS, 1)


def hz_to_mel(hz):
    return 2595.0 * math.log10(1.0 + hz / 700.0)


def mel_to_hz(mel):
    return 700.0 * (10.0 ** (mel / 2595.0) - 1.0)


def mel_filters():
    """Triangular filters evenly spaced on the mel scale, one row of FFT bins per mel band."""
    bins = N_FFT // 2 + 1
    top = hz_to_mel(SAMPLE_RATE / 2)
    edges = [mel_to_hz(top * i / (N_MELS + 1)) for i in range(N_MELS + 2)]
    freqs = [SAMPLE_RATE * k / N_FFT for k in range(bins)]
    rows = []
    for m in range(N_MELS):
        low, mid, high = edges[m], edges[m + 1], edges[m + 2]
        norm = 2.0 / (high - low)
        rows.extend(
            norm * max(0.0, min((f - low) / (mid - low), (high - f) / (high - mid))) for f in freqs
        )
    return bins, rows


def vocabulary():
    """The byte-level base of the tokenizer; the engine names the remaining ids itself."""
    return [bytes([b]) for b in range(256)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1].strip())
    bins, filters = mel_filters()
    tokens = vocabulary()
    with open(sys.argv[1], "wb") as out:
        out.write(struct.pack("<I", GGML_MAGIC))
        out.write(struct.pack("<11i", *TINY))
        out.write(struct.pack("<2i", N_MELS, bins))
        out.write(struct.pack("<%df" % len(filters), *filters))
        out.write(struct.pack("<i", len(tokens)))
        for token in tokens:
            out.write(struct.pack("<I", len(token)) + token)


if __name__ == "__main__":
    main()
