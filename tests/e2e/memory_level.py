"""The Wine soak's leak rule, over the saver's resident memory sampled once a second.

  memory_level.py judge <KiB> <KiB>...   the samples so far, first to last; prints the figures,
                                         exits 0 when the memory has kept its level
  memory_level.py check                  the rule on made-up runs of known shape

The software GL takes and gives back frame-sized buffers as it draws, so a third of the samples
or more dip by up to 13 MiB below the level the memory keeps, and a few rise a little above it.
What a leak raises is that level: a high quantile of a stretch of samples (the 9th of 10), which
the dips do not move. While the saver warms up (the GL's caches and shaders, the glow buffers)
the level climbs by many megabytes, for longer on a busy machine, and it may step up once more
after that; so no fixed settle time serves. Instead the level of the run's last WINDOW seconds is
compared with the level of the WINDOW seconds that begin halfway through the run, and the memory
has kept its level when the rise stayed below TOLERANCE_KIB at each of the last HOLD_SECONDS
seconds (one lucky stretch does not make a pass). A rise that has stopped passes once the run is
about twice as long as the rise took; a leak raises the later level however long the run goes on.
`check` shows what that catches: a leak of 80 KiB a second from a run of 60 s (and up to 180 s),
15 KiB a second from one of 300 s.
"""
import random
import sys

WINDOW = 10
TOLERANCE_KIB = 1024
HOLD_SECONDS = 5
SHORTEST_RUN = 4 * WINDOW + HOLD_SECONDS


def level(samples):
    """The level a stretch of samples keeps: the 9th of 10 when sorted."""
    ordered = sorted(samples)
    return ordered[(len(ordered) * 9 - 1) // 10]


def rise(samples):
    """(rise in KiB, text): the last stretch's level over the level from halfway through."""
    n = len(samples)
    half = n // 2
    early = level(samples[half:half + WINDOW])
    late = level(samples[-WINDOW:])
    return late - early, (f"level {early} KiB from {half} s, {late} KiB in the last {WINDOW} s "
                          f"of {n} s: rise {late - early} KiB")


def judge(samples):
    """(kept, text): whether the memory has kept its level over these samples, and the figures."""
    if len(samples) < SHORTEST_RUN:
        return False, f"{len(samples)} s sampled, {SHORTEST_RUN} s needed"
    kept = all(rise(samples[:len(samples) - i])[0] < TOLERANCE_KIB for i in range(HOLD_SECONDS))
    return kept, rise(samples)[1]


def made_up_run(seconds, level_at, seed):
    """Samples around a level given by level_at(second), as the 64-bit saver shows them: on the
    level 60 % of the time, up to 13 MiB below it 35 %, up to 1.5 MiB above it 5 %."""
    rng = random.Random(seed)
    samples = []
    for t in range(1, seconds + 1):
        draw = rng.random()
        jitter = 0 if draw < 0.6 else -rng.randrange(13_312) if draw < 0.95 else rng.randrange(1_536)
        samples.append(level_at(t) + jitter)
    return samples


def first_kept(samples, shortest):
    """The first run length from the shortest on at which the level was kept, or None."""
    return next((n for n in range(shortest, len(samples) + 1) if judge(samples[:n])[0]), None)


def check():
    failures = []
    for seed in range(20):
        # Warm-up as the 32-bit saver shows it: 15.5 MiB over 17 s, then one step of 1.1 MiB at
        # 50 s, then flat. A 60 s run goes on until the step lies before its second half.
        warm = made_up_run(180, lambda t: 134_860 + 15_870 * min(t, 17) // 17
                           + (1_126 if t >= 50 else 0), seed)
        kept = first_kept(warm, 60)
        if kept is None or kept > 115:
            failures.append(f"seed {seed}: a settled warm-up kept its level only at {kept}")
        if first_kept(made_up_run(300, lambda t: 150_000, seed), 60) != 60:
            failures.append(f"seed {seed}: a flat run did not keep its level at 60 s")
        # Leaks as small as the 60 s and the 300 s run catch never pass, however long the run
        # goes on.
        for rate, shortest in ((80, 60), (15, 300)):
            leak = made_up_run(shortest + 120, lambda t: 150_000 + rate * t, seed)
            kept = first_kept(leak, shortest)
            if kept is not None:
                failures.append(f"seed {seed}: a leak of {rate} KiB/s kept its level at {kept} s: "
                                f"{judge(leak[:kept])[1]}")
    print("\n".join(failures) or "every made-up run judged as its shape asks")
    return not failures


if __name__ == "__main__":
    if sys.argv[1:2] == ["check"]:
        sys.exit(0 if check() else 1)
    if sys.argv[1:2] == ["judge"]:
        kept, text = judge([int(v) for v in sys.argv[2:]])
        print(text)
        sys.exit(0 if kept else 1)
    sys.exit("usage: memory_level.py judge <KiB>... | check")
