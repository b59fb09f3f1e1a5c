"""The simulator's own cos, sin, log and 10^x, operation for operation, in plain Python.

Python floats are IEEE doubles and every operation below is rounded on its own, in the order
src/core/engine/Elementary.cpp performs it, so these give the same bits as the C++ functions and not
those of the C library that math.cos and friends call.
"""

import os
import re
import struct

MASK64 = (1 << 64) - 1


def _bits(x):
    return struct.unpack("<Q", struct.pack("<d", x))[0]


def _double(b):
    return struct.unpack("<d", struct.pack("<Q", b & MASK64))[0]


def _two_sum(a, b):
    s = a + b
    bb = s - a
    return s, (a - (s - bb)) + (b - bb)


def _fast_two_sum(a, b):
    s = a + b
    return s, b - (s - a)


def _split(a):
    t = 134217729.0 * a
    hi = t - (t - a)
    return hi, a - hi


def _two_product(a, b):
    p = a * b
    ah, al = _split(a)
    bh, bl = _split(b)
    return p, ((ah * bh - p) + ah * bl + al * bh) + al * bl


def _power_of_two(n):
    return _double((n + 1023) << 52)


def _scale(x, n):
    while n > 1000:
        x *= 2.0 ** 1000
        n -= 1000
    while n < -1000:
        x *= 2.0 ** -1000
        n += 1000
    return x * _power_of_two(n)


def _nearest_integer(x):
    shifter = float.fromhex("0x1.8p52")
    return (x + shifter) - shifter


HALF_PI_1 = float.fromhex("0x1.921fb544p+0")
HALF_PI_2 = float.fromhex("0x1.0b4611a6p-34")
HALF_PI_3 = float.fromhex("0x1.3198a2ep-69")
HALF_PI_4 = float.fromhex("0x1.b839a252049c1p-104")
HALF_PI_34 = float.fromhex("0x1.3198a2e037073p-69")
HALF_PI_HI = float.fromhex("0x1.921fb54442d18p+0")
HALF_PI_LO = float.fromhex("0x1.1a62633145c07p-54")
QUARTER_PI = float.fromhex("0x1.921fb54442d18p-1")
TWO_OVER_PI = float.fromhex("0x1.45f306dc9c883p-1")
FAST_REDUCTION_LIMIT = 1.5e6

TWO_OVER_PI_BITS = [
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB,
    0xDEBBC561, 0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E,
    0xE88235F5, 0x2EBB4484, 0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B,
    0xBDF9283B, 0x1FF897FF, 0xDE05980F, 0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7,
    0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B, 0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1,
    0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D]
TWO_OVER_PI_INT = 0
for _w in TWO_OVER_PI_BITS:
    TWO_OVER_PI_INT = (TWO_OVER_PI_INT << 32) | _w
TWO_OVER_PI_PLACES = 32 * len(TWO_OVER_PI_BITS)


def _reduce_large(x):
    """x >= FAST_REDUCTION_LIMIT: the same integer product as the C++ code, with Python ints."""
    bits = _bits(x)
    e = (bits >> 52) - 1075
    m = (bits & ((1 << 52) - 1)) | (1 << 52)
    start = e - 1 if e - 1 > 1 else 1
    point = start + 191 - e
    # 192 bits of 2/pi from place `start` (place 1 is the first bit after the point).
    w = (TWO_OVER_PI_INT >> (TWO_OVER_PI_PLACES - (start - 1) - 192)) & ((1 << 192) - 1)
    p = m * w
    quadrant = (p >> point) & 3
    fraction = p & ((1 << point) - 1)
    g = (fraction << 192) >> point if point < 192 else fraction >> (point - 192)
    negative = False
    if g >> 191:
        quadrant = (quadrant + 1) & 3
        negative = True
        g = ((1 << 192) - g) & ((1 << 192) - 1)
    if g == 0:
        return quadrant, (0.0, 0.0)
    zeros = 192 - g.bit_length()
    if zeros >= 128:
        return quadrant, (0.0, 0.0)
    g = (g << zeros) & ((1 << 192) - 1)
    g0 = g >> 128
    g1 = (g >> 64) & MASK64
    u = float(g0 >> 11)
    v = float(((g0 << 53) & MASK64) | (g1 >> 11)) * float.fromhex("0x1p-64")
    scale = _power_of_two(-53 - zeros)
    fh, fl = _fast_two_sum(u * scale, v * scale)
    rh, rl = _two_product(fh, HALF_PI_HI)
    rl += fh * HALF_PI_LO + fl * HALF_PI_HI
    rh, rl = _fast_two_sum(rh, rl)
    if negative:
        rh, rl = -rh, -rl
    return quadrant, (rh, rl)


def _reduce(x):
    ax = abs(x)
    if ax <= QUARTER_PI:
        return 0, (x, 0.0)
    if ax < FAST_REDUCTION_LIMIT:
        n = _nearest_integer(x * TWO_OVER_PI)
        a = x - n * HALF_PI_1
        if abs(a) > float.fromhex("0x1p-12"):
            sh, sl = _fast_two_sum(a, -(n * HALF_PI_2))
            return int(n) & 3, _fast_two_sum(sh, sl - n * HALF_PI_34)
        s1h, s1l = _two_sum(a, -(n * HALF_PI_2))
        s2h, s2l = _two_sum(s1h, -(n * HALF_PI_3))
        lo = (s1l + s2l) - n * HALF_PI_4
        return int(n) & 3, _two_sum(s2h, lo)
    quadrant, (rh, rl) = _reduce_large(ax)
    if x < 0:
        return (4 - quadrant) & 3, (-rh, -rl)
    return quadrant, (rh, rl)


INVERSE_FACTORIAL = [float.fromhex(h) for h in (
    "0x1p+0", "0x1p+0", "0x1p-1", "0x1.5555555555555p-3", "0x1.5555555555555p-5",
    "0x1.1111111111111p-7", "0x1.6c16c16c16c17p-10", "0x1.a01a01a01a01ap-13",
    "0x1.a01a01a01a01ap-16", "0x1.71de3a556c734p-19", "0x1.27e4fb7789f5cp-22",
    "0x1.ae64567f544e4p-26", "0x1.1eed8eff8d898p-29", "0x1.6124613a86d09p-33",
    "0x1.93974a8c07c9dp-37", "0x1.ae7f3e733b81fp-41", "0x1.ae7f3e733b81fp-45",
    "0x1.952c77030ad4ap-49", "0x1.6827863b97d97p-53")]


SIN_COEFFICIENTS = [float.fromhex(h) for h in (
    "-0x1.ab159dc3b3c21p-41", "0x1.61217b49ad79ap-33", "-0x1.ae64540e0633bp-26",
    "0x1.71de3a545dd92p-19", "-0x1.a01a01a019921p-13", "0x1.1111111111110p-7",
    "-0x1.5555555555555p-3")]
COS_COEFFICIENTS = [float.fromhex(h) for h in (
    "-0x1.907b9fa75dee8p-37", "0x1.1eeb661c764f3p-29", "-0x1.27e4fa1529574p-22",
    "0x1.a01a019f4c9c5p-16", "-0x1.6c16c16c1695ep-10", "0x1.5555555555555p-5")]


def _sin_kernel(hi, lo):
    z = hi * hi
    s = SIN_COEFFICIENTS[0]
    for c in SIN_COEFFICIENTS[1:]:
        s = c + z * s
    return hi + (z * hi * s + (lo - 0.5 * z * lo))


def _cos_kernel(hi, lo):
    wh, wl = _two_product(hi, hi)
    hz = 0.5 * wh
    t = 1.0 - hz
    c = COS_COEFFICIENTS[0]
    for k in COS_COEFFICIENTS[1:]:
        c = k + wh * c
    return t + (((1.0 - t) - hz) + (wh * wh * c - 0.5 * wl - hi * lo))


def cos(x):
    if not abs(x) <= 1.7976931348623157e308:
        return float("nan")
    quadrant, (hi, lo) = _reduce(x)
    if quadrant == 0:
        return _cos_kernel(hi, lo)
    if quadrant == 1:
        return -_sin_kernel(hi, lo)
    if quadrant == 2:
        return -_cos_kernel(hi, lo)
    return _sin_kernel(hi, lo)


def sin(x):
    if not abs(x) <= 1.7976931348623157e308:
        return float("nan")
    if abs(x) < float.fromhex("0x1p-27"):
        return x
    quadrant, (hi, lo) = _reduce(x)
    if quadrant == 0:
        return _sin_kernel(hi, lo)
    if quadrant == 1:
        return _cos_kernel(hi, lo)
    if quadrant == 2:
        return -_sin_kernel(hi, lo)
    return -_cos_kernel(hi, lo)


LN2_HI = float.fromhex("0x1.62e42fefa2p-1")
LN2_LO = float.fromhex("0x1.9ef35793c7673p-41")
LOG_SERIES = [-0.5, 1.0 / 3, -0.25, 0.2, -1.0 / 6, 1.0 / 7, -0.125]
NEAR_ONE = float.fromhex("0x1p-7")


def _read_log_table():
    """The rows of src/core/engine/ElementaryLogTable.h: (9-bit inverse, -log hi, -log lo)."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                        "..", "..", "..", "src", "engine", "ElementaryLogTable.h")
    with open(path, encoding="utf-8") as f:
        rows = re.findall(r"\{(\S+), (\S+), (\S+)\},", f.read())
    assert len(rows) == 256, path
    return [tuple(float.fromhex(v) for v in row) for row in rows]


LOG_TABLE = _read_log_table()


def _log_pair(x):
    f = x - 1.0
    if abs(f) < NEAR_ONE:
        q = LOG_SERIES[6]
        for i in range(5, -1, -1):
            q = LOG_SERIES[i] + f * q
        return f, f * f * q
    bits = _bits(x)
    k = 0
    if (bits >> 52) == 0:
        bits = _bits(x * float.fromhex("0x1p54"))
        k = -54
    k += (bits >> 52) - 1023
    mantissa = bits & ((1 << 52) - 1)
    m = _double(mantissa | (1023 << 52))
    i = mantissa >> 44
    c = _double(((mantissa >> 44) << 44) | (1 << 43) | (1023 << 52))
    inverse, log_hi, log_lo = LOG_TABLE[i]
    r = (c * inverse - 1.0) + (m - c) * inverse
    r2 = r * r
    tail = r2 * (((LOG_SERIES[0] + r * LOG_SERIES[1]) + r2 * (LOG_SERIES[2] + r * LOG_SERIES[3]))
                 + (r2 * r2) * (LOG_SERIES[4] + r * LOG_SERIES[5]))
    kd = float(k)
    ah, al = _fast_two_sum(kd * LN2_HI, log_hi)
    bh, bl = _fast_two_sum(ah, r)
    return bh, (al + bl) + ((log_lo + kd * LN2_LO) + tail)


def log(x):
    if not (0 < x < float("inf")):
        if x != x or x < 0:
            return float("nan")
        return float("-inf") if x == 0 else float("inf")
    hi, lo = _log_pair(x)
    return hi + lo


LOG2_OF_10_HI = float.fromhex("0x1.a934f0979a371p+1")
LOG2_OF_10_LO = float.fromhex("0x1.7f2495fb7fa6dp-53")
LN2_FULL_HI = float.fromhex("0x1.62e42fefa39efp-1")
LN2_FULL_LO = float.fromhex("0x1.abc9e3b39803fp-56")


def exp10(x):
    if x != x:
        return x
    if x > 308.2547155599167:
        return float("inf")
    if x < -323.60724533877976:
        return 0.0
    th, tl = _two_product(x, LOG2_OF_10_HI)
    tl += x * LOG2_OF_10_LO
    n = _nearest_integer(th)
    rh, rl = _two_sum(th - n, tl)
    yh, yl = _two_product(rh, LN2_FULL_HI)
    yl += rh * LN2_FULL_LO + rl * LN2_FULL_HI
    yh, yl = _fast_two_sum(yh, yl)
    e = INVERSE_FACTORIAL[15]
    for k in range(14, 1, -1):
        e = INVERSE_FACTORIAL[k] + yh * e
    q = yh * yh * e
    ah, al = _fast_two_sum(1.0, yh)
    eh, _ = _fast_two_sum(ah, al + (q + (yl + yl * (yh + q))))
    return _scale(eh, int(n))
