#!/usr/bin/env python3
"""Figures of the sound effects: where their energy lies, their level against
the music, the envelope of each, the spacing of echoes and crackles, the
regions of the monster's fall and the contour of the dragon's pitch.
usage: sounds.py DATA_DIR MUSIC_RMS  (the music's RMS as measure_music prints it)"""
import cmath, math, struct, sys, wave

def load(path):
    w = wave.open(path)
    n, rate, width = w.getnframes(), w.getframerate(), w.getsampwidth()
    raw = w.readframes(n)
    x = [v / 32768 for v in struct.unpack('<%dh' % n, raw)] if width == 2 else [(b - 128) / 128 for b in raw]
    return x, rate

def fft(a):
    n = len(a)
    if n == 1: return a
    even, odd = fft(a[0::2]), fft(a[1::2])
    t = [cmath.exp(-2j * math.pi * k / n) * odd[k] for k in range(n // 2)]
    return [even[k] + t[k] for k in range(n // 2)] + [even[k] - t[k] for k in range(n // 2)]

def band_shares(x, rate):
    n = 1
    while n < len(x): n *= 2
    spectrum = fft(x + [0.0] * (n - len(x)))
    power = [abs(c) ** 2 for c in spectrum[:n // 2]]
    total = sum(power) or 1
    def share(lo, hi): return sum(p for k, p in enumerate(power) if lo <= k * rate / n < hi) / total
    return share

def rms(x): return math.sqrt(sum(v * v for v in x) / max(1, len(x)))
def db(r): return 20 * math.log10(max(r, 1e-12))

def envelope(x, rate, ms=10):
    w = int(rate * ms / 1000)
    return [rms(x[i:i + w]) for i in range(0, len(x) - w + 1, w)]

def peak_regions(env, rise=0.5, fall=0.25):
    """Regions where the level climbs above rise*max after having fallen below fall*max."""
    top, regions, inside = max(env), 0, False
    for v in env:
        if not inside and v >= rise * top: regions, inside = regions + 1, True
        elif inside and v < fall * top: inside = False
    return regions

def onsets(x, rate, ms=5, jump=2.0):
    x = [b - a for a, b in zip(x, x[1:])]  # the slope: crackles and attacks stand out from the rumble
    env = envelope(x, rate, ms)
    out = []
    for i in range(2, len(env)):
        if env[i] > jump * max(env[i - 2], env[i - 1], 1e-6) and env[i] > 0.05 * max(env):
            if not out or (i - out[-1]) * ms > 20: out.append(i)
    return [i * ms / 1000 for i in out]

def pitch(x, rate, lo=40, hi=400):
    best, lag_best = 0, 0
    for lag in range(int(rate / hi), int(rate / lo)):
        a = sum(x[i] * x[i + lag] for i in range(0, len(x) - lag, 2))
        b = math.sqrt(sum(x[i] ** 2 for i in range(0, len(x) - lag, 2)) * sum(x[i + lag] ** 2 for i in range(0, len(x) - lag, 2))) or 1
        if a / b > best: best, lag_best = a / b, lag
    return rate / lag_best if lag_best else 0

def centre_hz(x, rate):
    d = sum((b - a) ** 2 for a, b in zip(x, x[1:])); a = sum(v * v for v in x)
    return math.sqrt(d / a) * rate / (2 * math.pi) if a else 0

data, music = sys.argv[1], float(sys.argv[2])
for name in ['war1', 'war2', 'destroy', 'dragon']:
    x, rate = load(f"{data}/sound/{name}.wav")
    share = band_shares(x, rate)
    print(f"{name}.wav: {len(x) / rate:.2f} s, RMS {db(rms(x)):.1f} dBFS ({db(rms(x)) - db(music):+.1f} dB against the music), "
          f"below 150 Hz {100 * share(0, 150):.0f} %, below 167 Hz {100 * share(0, 167):.0f} %, "
          f"above 300 Hz {100 * share(300, 1e9):.0f} %, above 1 kHz {100 * share(1000, 1e9):.1f} % ({10 * math.log10(max(share(1000, 1e9), 1e-9)):.0f} dB)")
    env = envelope(x, rate, 20)
    print(f"  centre of the spectrum {centre_hz(x, rate):.0f} Hz; envelope, 40 ms steps: {' '.join('%.2f' % (v / max(env)) for v in env[::2])}")
    if name == 'war1':
        bands = [(0, 300), (300, 800), (400, 2000), (2000, 1e9)]
        print('  bands, share of the energy: ' + ', '.join(
            f"{lo:.0f}-{hi:.0f} Hz {10 * math.log10(max(share(lo, hi), 1e-9)):.1f} dB" for lo, hi in bands))
        shot = rms(x[:rate // 10])
        print(f"  the shot (first 0.1 s) {db(shot) - db(music):+.1f} dB against the music")
    if name == 'war2':
        t = onsets(x, rate)
        gaps = [round(b - a, 3) for a, b in zip(t, t[1:])]
        mean = sum(gaps) / len(gaps) if gaps else 0
        spread = math.sqrt(sum((g - mean) ** 2 for g in gaps) / len(gaps)) / mean if gaps else 0
        print(f"  onsets at {[round(v, 2) for v in t][:16]}; gaps {gaps[:15]}; spread of the gaps {100 * spread:.0f} % of their mean")
    if name == 'war1':
        peaks = [k for k in range(1, len(env) - 1) if env[k] > env[k - 1] and env[k] >= env[k + 1] and env[k] > 0.12 * max(env)]
        times = [round(k * 0.02, 2) for k in peaks]
        print(f"  echoes come back at {times} s after the shot; gaps {[round(b - a, 2) for a, b in zip([0.0] + times, times)]}")
    if name == 'destroy':
        w = rate // 20
        level = [rms(x[i:i + w]) for i in range(0, len(x) - w + 1, w // 2)]
        top = max(level)
        loud = [k for k, v in enumerate(level) if v >= 0.45 * top]
        gap = min(level[loud[0]:loud[-1] + 1]) / top
        blow = rms(x[:rate // 5])
        after = max(rms(x[i:i + w]) for i in range(int(0.3 * rate), len(x) - w + 1, w // 2))
        print(f"  50 ms windows: {peak_regions(level, 0.45, 0.25)} loud region(s); between its first and last loud "
              f"moment it never falls below {gap:.2f} of the peak; the loudest moment after 0.3 s is {after / blow:.2f} of the blow")
    if name == 'dragon':
        w = rate // 10
        track = [(i / rate, pitch(x[i:i + w], rate)) for i in range(0, len(x) - w, w // 1)]
        ps = [p for _, p in track]
        top = max(range(len(ps)), key=lambda k: ps[k])
        print(f"  pitch every 0.1 s: {[round(p) for p in ps]}")
        print(f"  highest at {track[top][0]:.1f} s of {len(x) / rate:.1f} s ({100 * track[top][0] / (len(x) / rate):.0f} % of the way)")
