"""The Wine soak's leak rule, over the saver's resident memory sampled once a second.

  memory_floor.py judge <KiB> <KiB>...   the samples so far, first to last; prints the figures,
                                         exits 0 when the memory has held its floor
  memory_floor.py check                  the rule on made-up runs of known shape

The software GL takes and gives back frame-sized buffers as it draws, so single samples jump by
megabytes either way and come back to the floor only some of the time: what a leak raises is that
floor, the lowest sample of a stretch of FLOOR_SECONDS. While the saver warms up (the GL's caches
and shaders, the glow buffers) the floor climbs by many megabytes, for longer on a busy machine,
and it may step up once more after that; so no fixed settle time serves. Instead the floor of the
run's last FLOOR_SECONDS is compared with the floor of the FLOOR_SECONDS that begin halfway
through the run, and the memory has held its floor when that growth stayed below TOLERANCE_KIB
at each of the last HOLD_SECONDS seconds (one lucky sample does not make a pass). A rise that has
stopped passes once the run is about twice as long as the rise took; a leak raises the later
floor however long the run goes on. `check` shows what that catches: a leak of 80 KiB a second
from a run of 60 s, 20 KiB a second from one of 300 s.
"""
import random
import sys

FLOOR_SECONDS = 10
TOLERANCE_KIB = 1024
HOLD_SECONDS = 5
SHORTEST_RUN = 4 * FLOOR_SECONDS + HOLD_SECONDS


def growth(samples):
    """(growth in KiB, text): the later floor's rise over the floor from halfway through."""
    n = len(samples)
    half = n // 2
    early = min(samples[half:half + FLOOR_SECONDS])
    late = min(samples[-FLOOR_SECONDS:])
    return late - early, (f"floor {early} KiB from {half} s, {late} KiB in the last "
                          f"{FLOOR_SECONDS} s of {n} s: growth {late - early} KiB")


def judge(samples):
    """(held, text): whether the floor has held over these samples, and the figures."""
    if len(samples) < SHORTEST_RUN:
        return False, f"{len(samples)} s sampled, {SHORTEST_RUN} s needed"
    held = all(growth(samples[:len(samples) - i])[0] < TOLERANCE_KIB
               for i in range(HOLD_SECONDS))
    return held, growth(samples)[1]


def made_up_run(seconds, floor_at, seed):
    """Samples around a floor given by floor_at(second): each sample is on the floor a third of
    the time and up to 8 MiB above it otherwise, as the software GL's buffers come and go."""
    rng = random.Random(seed)
    return [floor_at(t) + (0 if rng.random() < 1 / 3 else rng.randrange(8192))
            for t in range(1, seconds + 1)]


def first_held(samples, shortest):
    """The first run length from the shortest on at which the floor has held, or None."""
    for n in range(shortest, len(samples) + 1):
        if judge(samples[:n])[0]:
            return n
    return None


def check():
    failures = []
    for seed in range(20):
        # Warm-up as the 32-bit saver shows it: 15.5 MiB over 17 s, then one step of 1.1 MiB at
        # 50 s, then flat. A 60 s run goes on until the step lies before its second half.
        warm = made_up_run(180, lambda t: 134_860 + 15_870 * min(t, 17) // 17
                           + (1_126 if t >= 50 else 0), seed)
        held = first_held(warm, 60)
        if held is None or held > 110:
            failures.append(f"seed {seed}: a settled warm-up held only at {held}")
        # Flat from the start: held at once.
        if first_held(made_up_run(60, lambda t: 132_000, seed), 60) != 60:
            failures.append(f"seed {seed}: a flat run did not hold at 60 s")
        # Leaks as small as the 60 s and the 300 s run catch never hold, however long the run
        # goes on.
        for rate, shortest in ((80, 60), (20, 300)):
            leak = made_up_run(shortest + 120, lambda t: 132_000 + rate * t, seed)
            held = first_held(leak, shortest)
            if held is not None:
                failures.append(f"seed {seed}: a leak of {rate} KiB/s held at {held} s: "
                                f"{judge(leak[:held])[1]}")
    print("\n".join(failures) or "every made-up run judged as its shape asks")
    return not failures


if __name__ == "__main__":
    if sys.argv[1:2] == ["check"]:
        sys.exit(0 if check() else 1)
    if sys.argv[1:2] == ["judge"]:
        held, text = judge([int(v) for v in sys.argv[2:]])
        print(text)
        sys.exit(0 if held else 1)
    sys.exit("usage: memory_floor.py judge <KiB>... | check")
