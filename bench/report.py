#!/usr/bin/env python3
"""Runs the benchmarks and prints Markdown tables of what users feel and what a frame costs:
the simulation's update per frame (Google Benchmark, native), whole frames drawn on OSMesa when
the frame benchmark is built, the CPU time per frame of the GL 1.1 and the ES 3 renderers, and, under Wine on a private Xvfb display, the time from "/s" to
the first frame and the whole process's CPU time per frame. A second table sets the native X11
saver's CPU time per frame beside that of two of Debian's xscreensaver GL hacks: glblur (the
same capture, blur and composite of the picture) and glschool (a flock).

usage: report.py --native-build DIR --scr FILE --template PREFIX [--cpu-seconds N] [--trials N]
                 [--x11-frames N]
"""
import argparse
import json
import os
import platform
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time


def run_benchmark(program):
    out = subprocess.run([program, "--benchmark_format=json"], check=True,
                         capture_output=True, text=True).stdout
    return json.loads(out)["benchmarks"]


def scene_update_rows(build):
    rows = []
    for b in run_benchmark(os.path.join(build, "bench", "scene_update_bench")):
        if b.get("aggregate_name") != "median":
            continue
        wires = int(b["wires"])
        symmetry = "/symmetry:1" in b["name"]
        label = f"sceneUpdate, {wires} wires" + (" with symmetry" if symmetry else "")
        rows.append((label, f"{b['real_time']:.1f} µs", "median of 5 × 1000 frames, 16 ms steps"))
    return rows


def frame_rows(build):
    program = os.path.join(build, "bench", "frame_bench")
    if not os.path.exists(program):
        return [("whole frame on OSMesa", "pending", "the frame benchmark is not built")]
    glow_names = {"0": "no glow", "1": "low-quality glow", "2": "high-quality glow",
                  "3": "glow 3 (no halo)"}
    rows = []
    renderers = {}
    for b in run_benchmark(program):
        if b.get("aggregate_name") != "median":
            continue
        args = dict(part.split(":") for part in b["run_name"].split("/")[1:] if ":" in part)
        if b["run_name"].startswith("rendererFrame"):
            renderers[(args["width"], args["height"], args["glow"], args["es"])] = b
            continue
        label = (f"whole frame, {args['width']}x{args['height']}, "
                 f"{glow_names.get(args['glow'], 'glow ' + args['glow'])}")
        if args["glow"] in ("1", "2"):
            label += ", software blur" if args.get("cpu") == "1" else ", GL blur"
        rows.append((label, f"{b['real_time']:.2f} ms",
                     f"OSMesa (llvmpipe), {int(b['wires'])} wires, median of 5 × 50 frames"))
    # The two renderers in the same run: the process's CPU time per frame (llvmpipe's threads
    # included), the ES one as a share of the GL 1.1 one.
    for (width, height, glow) in sorted({key[:3] for key in renderers},
                                        key=lambda k: (int(k[0]), k[2])):
        gl, es = renderers.get((width, height, glow, "0")), renderers.get((width, height, glow, "1"))
        if gl is None or es is None:
            continue
        name = glow_names.get(glow, "glow " + glow)
        size = f"{width}x{height}"
        rows.append((f"CPU per frame, {size}, {name}, GL 1.1 renderer",
                     f"{gl['cpu_time']:.2f} ms",
                     "OSMesa (llvmpipe)" + (", processor blur" if glow != "0" else "") +
                     ", median of 5 × 50 frames"))
        rows.append((f"CPU per frame, {size}, {name}, ES 3 renderer",
                     f"{es['cpu_time']:.2f} ms",
                     f"EGL surfaceless (llvmpipe), {es['cpu_time'] / gl['cpu_time']:.2f} × the "
                     "GL 1.1 renderer's, median of 5 × 50 frames"))
    return rows


class Display:
    """A private Xvfb display at the given size."""

    def __init__(self, size):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset"], pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        self.name = ":" + number.decode().strip()

    def close(self):
        self.process.terminate()
        self.process.wait()


class Saver:
    """QuellwireGL.scr /s under Wine, with the frames it swaps counted from Wine's trace."""

    def __init__(self, scr, env):
        self.swaps = 0
        self.first_swap = None
        self.start = time.monotonic()
        self.name = os.path.basename(scr).lower().encode()
        self.prefix = b"WINEPREFIX=" + env["WINEPREFIX"].encode()
        self.process = subprocess.Popen(["wine", scr, "/s"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stderr:
            if b"SwapBuffers" in line:
                if self.first_swap is None:
                    self.first_swap = time.monotonic()
                self.swaps += 1

    def wait_first_frame(self, limit=60.0):
        while self.first_swap is None:
            if time.monotonic() - self.start > limit or self.process.poll() is not None:
                raise RuntimeError("the saver drew no frame")
            time.sleep(0.001)
        return (self.first_swap - self.start) * 1000.0

    def cpu_seconds(self):
        """User and system time of the saver's processes: those of this Wine prefix that run the
        .scr file. (With 32-bit Wine installed, `wine` hands a 64-bit program to a process of
        its own that is no child of it.)"""
        total = 0
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as cmdline:
                    if self.name not in cmdline.read().lower():
                        continue
                with open(f"/proc/{entry}/environ", "rb") as environ:
                    if self.prefix not in environ.read().split(b"\0"):
                        continue
                with open(f"/proc/{entry}/stat") as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            total += int(fields[11]) + int(fields[12])
        return total / os.sysconf("SC_CLK_TCK")

    def end(self, env):
        subprocess.run(["xdotool", "key", "space"], env=env, check=True)
        code = self.process.wait(timeout=30)
        if code != 0:
            raise RuntimeError(f"the saver ended with {code}")


def wine_rows(scr, template, cpu_seconds, trials):
    work = tempfile.mkdtemp(prefix="qw-bench-")
    display = Display("1920x1080x24")
    env = dict(os.environ, DISPLAY=display.name, WINEPREFIX=os.path.join(work, "prefix"),
               WINEDLLOVERRIDES="mscoree,mshtml=", WINEDEBUG="-all")
    try:
        shutil.copytree(template, env["WINEPREFIX"], symlinks=True)
        # One wineserver for every run, so that only the first start pays for it.
        subprocess.run(["wineserver", "-p"], env=env, check=True)
        traced = dict(env, WINEDEBUG="+wgl")
        firsts = []
        for trial in range(trials):
            subprocess.run(["xdotool", "mousemove", "960", "540"], env=env, check=True)
            saver = Saver(scr, traced)
            firsts.append(saver.wait_first_frame())
            if trial + 1 < trials:
                time.sleep(0.5)
                saver.end(env)
        # The last run stays on for the CPU measurement, after a few seconds to settle.
        time.sleep(3)
        cpu0, frames0, t0 = saver.cpu_seconds(), saver.swaps, time.monotonic()
        time.sleep(cpu_seconds)
        cpu1, frames1, t1 = saver.cpu_seconds(), saver.swaps, time.monotonic()
        saver.end(env)
        frames = frames1 - frames0
        cold, warm = firsts[0], statistics.median(firsts[1:]) if trials > 1 else firsts[0]
        return [
            ("/s to the first frame, Wine, 1920x1080 (first start, with wineserver)",
             f"{cold:.0f} ms", "one run"),
            ("/s to the first frame, Wine, 1920x1080", f"{warm:.0f} ms",
             f"median of {trials - 1} runs, wineserver running"),
            ("whole-process CPU per frame, Wine, 1920x1080",
             f"{(cpu1 - cpu0) / frames * 1000.0:.2f} ms",
             f"{frames} frames in {t1 - t0:.1f} s ({frames / (t1 - t0):.0f} frames/s), "
             f"{cpu1 - cpu0:.2f} s CPU"),
        ]
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        display.close()
        shutil.rmtree(work, ignore_errors=True)


PEERS = [
    ("quellwire", "quellwire", "default settings (high-quality glow, 175 wires)"),
    ("QUELLWIRE_BLUR=gl quellwire", "quellwire", "default settings, blur forced to GL"),
    ("quellwire -glow 1", "quellwire", "low-quality glow"),
    ("quellwire -glow 0", "quellwire", "no glow"),
    ("glblur", "glblur", "xscreensaver-gl, default settings"),
    ("glschool", "glschool", "xscreensaver-gl, default settings"),
]


def measured_lines(out):
    """The figures of scripts/measure-x11-cpu and scripts/measure-wayland-cpu, by what was
    measured: (ms CPU per frame, frames per second)."""
    measured = {}
    for line in out.splitlines():
        match = re.match(r"(.*): ([0-9.]+) ms CPU per frame \((\d+) frames: ([0-9.]+) s CPU, "
                         r"([0-9.]+) s wall; ([0-9.]+) frames/s\)", line)
        if match:
            measured[match.group(1)] = (float(match.group(2)), float(match.group(6)))
    return measured


# The X11 measures at 1920x1080 and 3840x2160 start counting this many seconds after the first
# frame, as the settled-flock benchmarks settle theirs: the flock then has the same age at both
# sizes, whatever their frame rates, so the two compare like with like.
SETTLE_SECONDS = 12


def peer_rows(build, frames):
    """CPU per frame of the native X11 saver and of Debian's xscreensaver GL hacks glblur and
    glschool, each on the root window of the same 1920x1080 Xvfb display, measured by
    scripts/measure-x11-cpu (frames counted by their buffer swaps); and the measures themselves."""
    env = dict(os.environ, QW_BUILD=build, QW_SCREEN="1920x1080x24", QW_FRAMES=str(frames),
               QW_SETTLE_SECONDS=str(SETTLE_SECONDS))
    out = subprocess.run(["bash", "scripts/measure-x11-cpu"] + [p[0] for p in PEERS], env=env,
                         check=True, capture_output=True, text=True).stdout
    measured = measured_lines(out)
    reference = measured["glblur"][0]
    rows = []
    for command, program, settings in PEERS:
        per_frame, rate = measured[command]
        rows.append((program, settings, f"{per_frame:.1f} ms", f"{per_frame / reference:.2f}",
                     f"{rate:.0f}"))
    return rows, measured


WAYLAND = [
    ("wayland -fullscreen", "-fullscreen (overlay layer), default settings"),
    ("wayland -fullscreen, OpenGL ES",
     "-fullscreen, OpenGL ES 3 forced (QUELLWIRE_GL=es; single-sampled on llvmpipe), "
     "default settings"),
    ("wayland -background", "-background (background layer), default settings"),
    ("wayland -background, a second output hidden",
     "-background, a second 1920x1080 output covered by a fullscreen window"),
]


def wayland_rows(build, frames, x11):
    """CPU per frame of the saver on a headless sway with 1920x1080 outputs, measured by
    scripts/measure-wayland-cpu, beside the X11 saver's figure of the same run; and the
    measures themselves."""
    env = dict(os.environ, QW_BUILD=build, QW_FRAMES=str(frames),
               QW_SETTLE_SECONDS=str(SETTLE_SECONDS))
    out = subprocess.run(["bash", "scripts/measure-wayland-cpu"], env=env, check=True,
                         capture_output=True, text=True).stdout
    measured = measured_lines(out)
    reference = x11["quellwire"][0]
    rows = [("X11, root window", "default settings", f"{reference:.1f} ms", "1.00",
             f"{x11['quellwire'][1]:.0f}")]
    for what, settings in WAYLAND:
        per_frame, rate = measured[what]
        rows.append(("Wayland", settings, f"{per_frame:.1f} ms", f"{per_frame / reference:.2f}",
                     f"{rate:.0f}"))
    return rows, measured


def large_rows(build, frames):
    """The native X11 saver at 3840x2160, with the default settings and without glow (the
    floor: the same frame without the halo), measured by scripts/measure-x11-cpu."""
    env = dict(os.environ, QW_BUILD=build, QW_SCREEN="3840x2160x24", QW_FRAMES=str(frames),
               QW_SETTLE_SECONDS=str(SETTLE_SECONDS))
    out = subprocess.run(["bash", "scripts/measure-x11-cpu", "quellwire", "quellwire -glow 0"],
                         env=env, check=True, capture_output=True, text=True).stdout
    return measured_lines(out)


def goal_rows(large, x11, wayland, wine_ms):
    """The speed goals on a software renderer, from the measures of this one run."""
    default_4k, floor_4k = large["quellwire"][0], large["quellwire -glow 0"][0]
    default_hd, glblur = x11["quellwire"][0], x11["glblur"][0]
    es, gl = wayland["wayland -fullscreen, OpenGL ES"][0], wayland["wayland -fullscreen"][0]
    return [
        ("3840x2160, default settings, CPU per frame", f"{default_4k:.1f} ms", "at most 50 ms"),
        ("3840x2160, no glow (the floor)", f"{floor_4k:.1f} ms", ""),
        ("3840x2160, default frame / floor", f"{default_4k / floor_4k:.2f}", "at most 3"),
        ("1920x1080, default settings / glblur", f"{default_hd / glblur:.3f}", "at most 0.10"),
        ("default frame, 3840x2160 / 1920x1080", f"{default_4k / default_hd:.2f}", "at most 4"),
        ("Wayland, OpenGL ES / desktop OpenGL, -fullscreen", f"{es / gl:.2f}", "at most 1.10"),
        ("Wine, 1920x1080, whole-process CPU per frame", f"{wine_ms:.1f} ms", "below 35.2 ms"),
    ]


# The longest task the web page's own thread may run while the flock flies (ms).
WEB_LONGEST_TASK_MS = 50


def web_rows(page, seconds):
    """The web page in Debian's headless Chromium (SwiftShader): its size, its first frame, its
    frames per second at 1280x720 with default settings and the width it draws them at, the
    longest task on the page's thread (held to WEB_LONGEST_TASK_MS), and Lighthouse's
    Performance score and Total Blocking Time on its desktop and mobile presets."""
    if not page:
        return []
    script = os.path.join(os.path.dirname(__file__), "..", "tests", "web", "page_test.mjs")
    out = subprocess.run(["node", script, page, "fps", str(seconds)], check=True,
                         capture_output=True, text=True).stdout.split()
    size, first, fps, longest, drawn = (float(v) for v in out[:5])
    if longest > WEB_LONGEST_TASK_MS:
        sys.exit(f"web page: a task of {longest:.0f} ms on the page's thread "
                 f"(at most {WEB_LONGEST_TASK_MS} ms)")
    lighthouse = subprocess.run(["node", script, page, "lighthouse"], check=True,
                                capture_output=True, text=True).stdout.split()
    desktop, desktop_tbt, mobile, mobile_tbt = (int(v) for v in lighthouse[:4])
    how = "headless Chromium, WebGL 2 on SwiftShader"
    return [("web page, all files gzipped", f"{size:.1f} KiB", "gzip -9 of each file, summed"),
            ("web page, first frame", f"{first:.0f} ms", how + ", from navigation, 1280x720"),
            ("web page, frames per second, 1280x720", f"{fps:.1f} (drawn {drawn:.0f} wide)",
             how + f", over {seconds:g} s, default settings"),
            ("web page, longest task on its thread",
             f"{longest:.0f} ms" if longest else f"none over {WEB_LONGEST_TASK_MS} ms",
             how + f", from the start, held to at most {WEB_LONGEST_TASK_MS} ms"),
            ("web page, Lighthouse Performance", f"{desktop} desktop, {mobile} mobile",
             f"Lighthouse 12.2.3; Total Blocking Time {desktop_tbt} and {mobile_tbt} ms")]


def machine():
    cpu = "unknown CPU"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    return f"{cpu}, {os.cpu_count()} cores, {platform.system()} {platform.release()}, {wine}"


def print_table(columns, rows):
    """Prints a Markdown table: its header, then a line a row."""
    print("| " + " | ".join(columns) + " |")
    print("|" + "---|" * len(columns))
    for row in rows:
        print("| " + " | ".join(row) + " |")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--native-build", required=True)
    parser.add_argument("--scr", required=True)
    parser.add_argument("--template", required=True)
    parser.add_argument("--cpu-seconds", type=float, default=10.0)
    parser.add_argument("--trials", type=int, default=6)
    parser.add_argument("--x11-frames", type=int, default=150)
    parser.add_argument("--web-page", help="the web build's page folder")
    args = parser.parse_args()
    load_at_start = os.getloadavg()[0]

    rows = scene_update_rows(args.native_build) + frame_rows(args.native_build)
    wine = wine_rows(args.scr, args.template, args.cpu_seconds, args.trials)
    rows += wine + web_rows(args.web_page, args.cpu_seconds)
    peers, x11 = peer_rows(args.native_build, args.x11_frames)
    wayland, wayland_measured = wayland_rows(args.native_build, args.x11_frames, x11)
    large = large_rows(args.native_build, args.x11_frames)
    goals = goal_rows(large, x11, wayland_measured, float(wine[-1][1].split()[0]))
    print(f"Machine: {machine()}\n")
    print_table(["Measure", "Value", "How"], rows)
    print(f"\nOn the root window of one 1920x1080 Xvfb display, {args.x11_frames} frames each "
          f"from {SETTLE_SECONDS} s after the first:\n")
    print_table(["Program", "Settings", "CPU per frame", "Ratio to glblur", "Frames/s"], peers)
    print(f"\nOn a headless sway (pixman, llvmpipe into shared memory), 1920x1080 outputs, "
          f"{args.x11_frames} frames each from {SETTLE_SECONDS} s after the first, beside the X11 "
          f"saver of the same run:\n")
    print_table(["Display system", "Settings", "CPU per frame", "Ratio to X11", "Frames/s"],
                wayland)
    print(f"\nThe goals on a software renderer, from this run ({args.x11_frames} frames each, the X11 "
          f"and Wayland ones from {SETTLE_SECONDS} s after the first; "
          f"load average {load_at_start:.1f} at its start, {os.getloadavg()[0]:.1f} at its end):\n")
    print_table(["Goal", "Measured", "Target"], goals)

main()
