#!/usr/bin/env python3
"""Prints this machine's benchmark table (run by `./dev.sh benchtable`).

usage: benchtable.py BUILD_DIR
Start-up is timed from outside: the program, a bare Qt window (bench_floor) and the same
window with one line of text (bench_floor_text) are started RUNS times each, in turn, on
the offscreen platform and again on a private Xvfb (xcb platform, when Xvfb is installed),
with the quintarofirstpaint plugin, which ends the process right after its first window
paint; the median wall times and their ratios are reported. The rest comes from bench_cards and bench_games (Google Benchmark, JSON).
"""
import atexit, json, os, shutil, statistics, subprocess, sys, tempfile, time

RUNS = 21
build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-release")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
           XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="qrt-"),
           XDG_CONFIG_HOME=tempfile.mkdtemp(prefix="qcfg-"))


def startups(programs, platform_env=None):
    """Median start-up of each program; the runs take turns, so a change in the
    machine's load falls on all of them alike."""
    e = dict(platform_env or env, QT_PLUGIN_PATH=os.path.join(build, "benchplugins"),
             QT_QPA_GENERIC_PLUGINS="quintarofirstpaint")
    times = {p: [] for p in programs}
    for _ in range(RUNS):
        for program in programs:
            start = time.perf_counter()
            rc = subprocess.run([program], env=e, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL).returncode
            times[program].append((time.perf_counter() - start) * 1000)
            if rc != 0:
                sys.exit(f"{program} ended with {rc} before or without a first paint")
    return [statistics.median(times[p]) for p in programs]


def x_server_env():
    """The environment of a private Xvfb with the xcb platform (the X server is
    ended at exit), or None when Xvfb is missing."""
    if not shutil.which("Xvfb"):
        return None
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        display = pipe.readline().strip()
    atexit.register(server.terminate)
    if not display:
        return None
    e = dict(env, DISPLAY=f":{display}")
    e.pop("QT_QPA_PLATFORM")
    return e


def bench(program, flt):
    out = subprocess.run([program, f"--benchmark_filter={flt}", "--benchmark_format=json",
                          "--benchmark_repetitions=3", "--benchmark_report_aggregates_only=true"],
                         env=env, capture_output=True, text=True, check=True).stdout
    rows = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median" and not b.get("error_occurred"):
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            rows[b["run_name"]] = (b["real_time"] * scale, b.get("label", ""))
    return rows


starters = [os.path.join(build, "tools/benchtable/bench_floor"),
            os.path.join(build, "tools/benchtable/bench_floor_text"),
            os.path.join(build, "quintaro")]
floor, floor_text, program = startups(starters)
x_env = x_server_env()
x_times = startups(starters, x_env) if x_env else None
cards = bench(os.path.join(build, "bench/bench_cards"), "ComposeFaces/[01]/0")
dense_cards = bench(os.path.join(build, "bench/bench_cards"), "ComposeFacesAtRatio/[01]/200")
games = bench(os.path.join(build, "bench/bench_games"), ".")
session = subprocess.run([os.path.join(build, "bench/bench_games"), "--session"], env=env,
                         capture_output=True, text=True, check=True).stdout
peak_mb = int(session.split()[-1]) / 1024

lines = ["| Measure | Time | Target | |", "|---|---|---|---|"]


def row(name, value, target, unit="ms"):
    ok = "ok" if target is None or value <= target else "OVER"
    lines.append(f"| {name} | {value:.2f} {unit} | {'' if target is None else f'< {target} {unit}'} | {ok if target else ''} |")


row("bare Qt window, start to first paint (floor)", floor, None)
row("the same window with one line of text (reference)", floor_text, None)
row("Quintaro, start to first window paint", program, None)
lines.append(f"| start-up ratio to the floor | {program / floor:.2f} × | ≤ 1.5 × | {'ok' if program / floor <= 1.5 else 'OVER'} |")
lines.append(f"| the text window's ratio to the floor (reference) | {floor_text / floor:.2f} × | | |")
if x_times:
    x_floor, x_text, x_program = x_times
    row("on an X server (Xvfb, xcb): bare window (floor)", x_floor, None)
    row("on an X server: the window with one line of text (reference)", x_text, None)
    row("on an X server: Quintaro", x_program, None)
    lines.append(f"| on an X server: start-up ratio to the floor | {x_program / x_floor:.2f} × | ≤ 1.5 × | "
                 f"{'ok' if x_program / x_floor <= 1.5 else 'OVER'} |")
for name, (ms, label) in sorted(cards.items()):
    row(f"compose the card faces ({label})", ms, None)
for name, (ms, label) in sorted(dense_cards.items()):
    row(f"compose the card faces ({label})", ms, 40)
for name, (ms, label) in sorted(games.items(), key=lambda kv: kv[1][1]):
    if name.startswith("BM_OpenGame"):
        row(f"open {label} to its first complete paint", ms, 30)
row("paint a full Klondike table (mid-game)", games["BM_PaintKlondikeTable"][0], None)
row("autoplay cascade of 52 cards, sounds off", games["BM_AutoplayCascade52"][0], 50)
lines.append(f"| peak memory of a session opening every game (max RSS) | {peak_mb:.1f} MB | < 80 MB | "
             f"{'ok' if peak_mb < 80 else 'OVER'} |")
print("\n".join(lines))
