#!/usr/bin/env python3
"""Computes the values that tests/core/engine/PinnedResultsTest.cpp pins bit for bit.

This is a second, independent implementation of the simulator's arithmetic in plain Python:
Python floats are IEEE doubles, every operation is rounded on its own (Python never fuses a
multiply and an add), and cos, sin, log and 10^x come from elementary.py, which computes them
operation for operation as the simulator's own functions do (sqrt is exact everywhere). Each
expression below is written in the same order of operations as the simulator defines it.
Run it with `python3 pinned_values.py` and paste its output into the test's tables.
"""

import math

import elementary

N = 8192
MASK64 = (1 << 64) - 1


class Pcg32:
    """The process's uniform generator: PCG32 (XSH-RR) from its fixed seed."""

    MULTIPLIER = 6364136223846793005
    INCREMENT = 1442695040888963407
    SEED = 0x853C49E6748FEA9B

    def __init__(self):
        self.state = 0
        self.bits()
        self.state = (self.state + self.SEED) & MASK64
        self.bits()

    def bits(self):
        old = self.state
        self.state = (old * self.MULTIPLIER + self.INCREMENT) & MASK64
        xorshifted = (((old >> 18) ^ old) >> 27) & 0xFFFFFFFF
        rotation = old >> 59
        return ((xorshifted >> rotation) | (xorshifted << ((32 - rotation) & 31))) & 0xFFFFFFFF

    def next(self):
        # The top 24 bits over 2^24: exact in single and in double precision.
        return (self.bits() >> 8) / 16777216.0


def gaussian(random):
    """8192 standard Gaussian samples by the polar method, pair by pair."""
    out = [0.0] * N
    for j in range(0, N, 2):
        while True:
            u1 = 2.0 * random.next() - 1.0
            u2 = 2.0 * random.next() - 1.0
            s = u2 * u2 + u1 * u1
            if s <= 1.0 and s != 0.0:
                break
        g = math.sqrt(-2.0 * elementary.log(s) / s)
        out[j] = g * u1
        out[j + 1] = g * u2
    return out


def unit_cosine(mhz):
    return [elementary.cos(mhz * 1000000.0 * float(i) * 1.25e-8 * 2.0 * 3.1415926) for i in range(N)]


def amplitude(power_dbnw, invert):
    return math.sqrt(elementary.exp10(power_dbnw / 10.0) / 1000000000.0) * 10.0 * 2.0 * (0.5 - invert)


def sigma(kelvin):
    return math.sqrt(max(kelvin, 0.0) * 1.38e-23 * 9765.625) * 500.0


def antenna(random, tones, kelvin):
    waves = [unit_cosine(f) for f, _, _ in tones]
    amps = [amplitude(p, inv) for _, p, inv in tones]
    noise = gaussian(random)
    sd = sigma(kelvin)
    out = []
    for i in range(N):
        t = amps[0] * waves[0][i] + amps[1] * waves[1][i] + amps[2] * waves[2][i]
        out.append(sd * noise[i] + t)
    return out


def limit(x):
    return min(max(x, -1e200), 1e200)


def fft(data, nn, inverse):
    """In place: bit reversal, then butterflies with the recurrence twiddles and the clamp."""
    n = 2 * nn
    j = 0
    for i in range(0, n, 2):
        if j > i:
            data[j], data[i] = data[i], data[j]
            data[j + 1], data[i + 1] = data[i + 1], data[j + 1]
        m = nn
        while m >= 2 and j >= m:
            j -= m
            m >>= 1
        j += m
    sign = 1.0 if inverse == 0 else -1.0
    h = 1
    while h < nn:
        theta = 6.28318530717959 / float(2 * h)
        t = sign * elementary.sin(0.5 * theta)
        wpr = -2.0 * t * t
        wpi = sign * elementary.sin(theta)
        wr, wi = 1.0, 0.0
        for q in range(h):
            for a in range(2 * q, n, 4 * h):
                c = a + 2 * h
                tr = limit(wr * data[c] - wi * data[c + 1])
                ti = limit(wr * data[c + 1] + wi * data[c])
                data[c] = data[a] - tr
                data[c + 1] = data[a + 1] - ti
                data[a] = data[a] + tr
                data[a + 1] = data[a + 1] + ti
            wr_old = wr
            wr = wr * wpr - wi * wpi + wr
            wi = wi * wpr + wr_old * wpi + wi
        h *= 2
    if inverse != 0:
        for i in range(n):
            data[i] = data[i] / nn


def nearest_bin(bins, lowest, highest):
    if bins <= lowest:
        return lowest
    if bins >= highest:
        return highest
    return int(round(bins))  # Python rounds halves to even, as the filter's edges do


def band_pass(signal, centre, bandwidth):
    lo = nearest_bin((centre - bandwidth / 2.0) * 1000000.0 / 9765.625, 0, N)
    hi = nearest_bin((bandwidth / 2.0 + centre) * 1000000.0 / 9765.625, 0, N - 1)
    points = []
    for x in signal:
        points += [x, 0.0]
    fft(points, N, 0)
    if hi <= 0:  # a band wholly below DC passes nothing
        return [0.0] * N

    def clear(m):
        points[2 * m] = 0.0
        points[2 * m + 1] = 0.0

    if lo > 0:
        clear(0)
    for k in range(1, lo):
        clear(k)
        clear(N - k)
    for k in range(hi, 4095):
        clear(k)
        clear(N - k)
    fft(points, N, 1)
    return [points[2 * m] for m in range(N)]


def distort(x, c2, c3, c4):
    t2 = c2 * x * x
    t3 = c3 * x * x * x
    t4 = c4 * x * x * x * x
    return t2 + x + t3 + t4


def stage(signal, random, gain_db, nf_db, ip3_dbm=None, lo_mhz=0.0, switching=False,
          centre=None, bandwidth=None):
    s = list(signal)
    if ip3_dbm is not None:
        watts = elementary.exp10(ip3_dbm / 10.0) / 1000.0
        # The intercept's watts become the square of its peak voltage across 50 ohms.
        c3 = 4.0 / 3.0 / (100.0 * watts)
        c2 = c3 / 10.0
        c4 = c2 / 10.0
        s = [distort(x, c2, c3, c4) for x in s]
    if lo_mhz > 0.0:
        lo = unit_cosine(lo_mhz)
        if ip3_dbm is not None:
            lo = [c2 * x * x + l + c3 * x * x * x + c4 * x * x * x * x for x, l in zip(s, lo)]
        if switching:
            s = [(1.0 if l > 0 else -1.0 if l < 0 else 0.0) * x for x, l in zip(s, lo)]
        else:
            s = [l * x for x, l in zip(s, lo)]
    if bandwidth is not None:
        s = band_pass(s, centre, bandwidth)
    if nf_db > 0.0:
        sd = sigma((elementary.exp10(nf_db / 10.0) - 1.0) * 290.0)
        noise = gaussian(random)
        s = [sd * n + x for x, n in zip(s, noise)]
    g = math.sqrt(elementary.exp10(gain_db / 10.0))
    return [x * g for x in s]


def power(signal):
    total = 0.0
    for x in signal:
        total += x * x
    return total / 8192.0 / 50.0


def emit(name, values):
    print(f"// {name}")
    print(",\n".join(f"    {float.hex(v)}" for v in values) + ",")


def main():
    picks = [0, 1, 2, 1023, 4096, 8191]
    tones = [(5.0, 0.0, 0), (7.3, -10.0, 1), (12.25, -20.0, 0)]

    random = Pcg32()
    signal = antenna(random, tones, 290.0)
    emit("antenna samples", [signal[i] for i in picks])

    points = []
    for x in signal:
        points += [x, 0.0]
    fft(points, N, 0)
    emit("forward FFT, re and im of bins 0, 1, 512, 4095, 4096, 7680",
         [v for k in (0, 1, 512, 4095, 4096, 7680) for v in (points[2 * k], points[2 * k + 1])])

    filtered = stage(signal, random, -3.0, 3.0, centre=5.0, bandwidth=2.0)
    emit("filter (Fc 5, BW 2, G -3, NF 3)", [filtered[i] for i in picks])
    amplified = stage(filtered, random, 10.0, 3.0, ip3_dbm=0.0)
    emit("amplifier (G 10, NF 3, IP3 0)", [amplified[i] for i in picks])
    mixed = stage(amplified, random, 10.0, 3.0, ip3_dbm=60.0, lo_mhz=6.0)
    emit("multiplying mixer (LO 6, G 10, NF 3, IP3 Inf)", [mixed[i] for i in picks])
    switched = stage(mixed, random, 6.0, 0.0, ip3_dbm=20.0, lo_mhz=9.0, switching=True)
    emit("switching mixer (LO 9, G 6, NF 0, IP3 20)", [switched[i] for i in picks])
    emit("Pout", [power(switched)])


if __name__ == "__main__":
    main()
