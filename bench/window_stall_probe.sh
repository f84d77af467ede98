#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# window_stall_probe.sh: how long the desktop program stops answering its event loop while a
# user action is scripted, measured from outside under a virtual X server, as a user would see
# it.
#
#   bench/window_stall_probe.sh [options] ACTIONS [-- PROGRAM ARGUMENTS...]
#
#   --program PATH   the program (default build/release/app/quibel beside this folder)
#   --interval MS    how often the program is pinged (default 50)
#   --size WxH       the screen (default 1280x1024)
#   --keep-shots DIR screenshots taken by "shot" go there (default the current folder)
#
# How it works. Xvfb is started on a free display and the program on it, with the arguments
# after "--" (a project file, say). A probe thread then sends the program's first top-level
# window a _NET_WM_PING every INTERVAL ms, one at a time. The program's platform layer answers
# it from its event loop on the user-interface thread, so the wait for each answer is how long
# that thread was busy: the longest wait is the longest stall (within one interval), whatever
# window is on top. No window manager runs; the program gives itself the keyboard focus.
#
# ACTIONS is a file of one action a line ('#' starts a comment; "-" reads standard input):
#   key KEYS...          xdotool key, e.g. "key F5", "key alt+f Down Return", "key ctrl+c"
#   type TEXT            types TEXT (the rest of the line) into the focused widget
#   wait REGEX [S]       waits (default 60 s) for a window of the program titled to match
#   gone REGEX [S]       waits for no window of the program titled to match
#   file PATH [S]        waits for PATH to exist
#   quiet S [LIMIT]      waits (at least S seconds, at most LIMIT, default 300) until every
#                        answer of the last S seconds came within 50 ms
#   idle S [LIMIT]       waits (at most LIMIT s, default 3600) until the program used under a
#                        tenth of a processor over the last S seconds (a run has ended, say)
#   sleep S              waits S seconds
#   click REGEX X Y      clicks at X, Y (pixels) inside the program's window titled to match
#   focus REGEX          gives the keyboard to the program's window titled to match (the main
#                        window gets it at the start; the program focuses its dialogs itself)
#   watch PATH           from now on, notes when PATH first exists and its size then
#   mark LABEL           ends a phase: prints LABEL, the phase's wall time, when its last wait
#                        of 50 ms or more ended ("busy until"), its longest wait, a histogram
#                        of its waits, the
#                        program's resident memory (and peak), and what "watch" saw
#   shot NAME            a PNG screenshot of the whole screen (for writing the actions)
#   windows              lists the program's windows: size, place and title
# $NAME in an action is the environment's NAME. Each phase starts where the previous "mark"
# was. The script stops at the first action that fails (a wait that times out), after printing
# the phase so far.
#
# The scenarios of bench/window_stall/ read the inputs that quibel_bench_stall_inputs writes
# into $WORK, and write their exports there:
#   export WORK=/tmp/stall && build/release/bench/quibel_bench_stall_inputs $WORK
#   bench/window_stall_probe.sh bench/window_stall/time_history_record.actions -- examples/startup.qbl
#   bench/window_stall_probe.sh bench/window_stall/long_run_csv.actions -- $WORK/run600.qbl
#   bench/window_stall_probe.sh bench/window_stall/workbook.actions -- $WORK/run40.qbl
#   bench/window_stall_probe.sh bench/window_stall/edit_after_long_run.actions -- $WORK/run600.qbl
# Clicks are at window coordinates of the default fonts of Debian's Qt; "shot" and "windows"
# help to find them again when a window's layout changes.
#
# The tools come from Debian's packages, installed here when missing (never by the build):
# xvfb, xdotool, python3-xlib.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$here/../build/release/app/quibel"
interval=50
size=1280x1024
shots=.
while [[ $# -gt 0 ]]; do
    case "$1" in
    --program) program="$2"; shift 2 ;;
    --interval) interval="$2"; shift 2 ;;
    --size) size="$2"; shift 2 ;;
    --keep-shots) shots="$2"; shift 2 ;;
    -h | --help) sed -n '3,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) break ;;
    esac
done
[[ $# -ge 1 ]] || { echo "usage: $0 [options] ACTIONS [-- PROGRAM ARGUMENTS...]" >&2; exit 2; }
actions="$1"
shift
[[ "${1:-}" == "--" ]] && shift
[[ -x "$program" ]] || { echo "no program at $program: build it first" >&2; exit 2; }

# Debian's interpreter: the python3-xlib package is installed for it.
python=/usr/bin/python3
missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
"$python" -c 'import Xlib' 2>/dev/null || missing+=(python3-xlib)
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "installing ${missing[*]}" >&2
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get install -y -qq "${missing[@]}" >/dev/null ||
        { $sudo apt-get update -qq && $sudo apt-get install -y -qq "${missing[@]}" >/dev/null; }
fi

if [[ "$actions" == "-" ]]; then
    actionFile="$(mktemp)"
    cat >"$actionFile"
else
    actionFile="$actions"
fi

# A free display: the first without a lock file.
display=90
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
    display=$((display + 1))
done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfbPid=$!
programPid=""
settings="$(mktemp -d)"
cleanup() {
    if [[ -n "$programPid" ]]; then
        kill "$programPid" 2>/dev/null || true
        wait "$programPid" 2>/dev/null || true
    fi
    kill "$xvfbPid" 2>/dev/null || true
    wait "$xvfbPid" 2>/dev/null || true
    [[ "$actions" != "-" ]] || rm -f "$actionFile"
    rm -rf "$settings"
}
trap cleanup EXIT
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.05
done
sleep 0.2

# The program keeps its settings apart from the user's, and gets no window manager.
QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$settings" "$program" --settings "$settings/quibel.ini" "$@" \
    >"$settings/program.log" 2>&1 &
programPid=$!

status=0
"$python" - "$programPid" "$actionFile" "$interval" "$shots" <<'PYTHON' || status=$?
import os, re, select, shlex, struct, subprocess, sys, threading, time, zlib
from Xlib import X, display as xdisplay, protocol

pid = int(sys.argv[1])
actions_path, interval, shot_dir = sys.argv[2], int(sys.argv[3]) / 1000.0, sys.argv[4]
BUSY = 0.05  # a wait this long means the thread was busy, not idle
BUCKETS = [0.01, 0.05, 0.1, 0.25, 0.5, 1.0, 2.0, 5.0]


def program_windows(d):
    """(window, title, viewable) of every top-level window of the program."""
    root = d.screen().root
    pid_atom = d.intern_atom("_NET_WM_PID")
    name_atom = d.intern_atom("_NET_WM_NAME")
    utf8 = d.intern_atom("UTF8_STRING")
    found = []
    for w in root.query_tree().children:
        try:
            p = w.get_full_property(pid_atom, X.AnyPropertyType)
            if not p or p.value[0] != pid:
                continue
            n = w.get_full_property(name_atom, utf8)
            title = n.value.decode("utf-8", "replace") if n else (w.get_wm_name() or "")
            if isinstance(title, bytes):
                title = title.decode("latin-1")
            viewable = w.get_attributes().map_state == X.IsViewable
            found.append((w, title, viewable))
        except Exception:
            pass  # a window that went away meanwhile
    return found


class Pinger(threading.Thread):
    """Pings one window of the program and keeps (sent, wait) of every answer."""

    def __init__(self):
        super().__init__(daemon=True)
        self.d = xdisplay.Display()
        self.lock = threading.Lock()
        self.waits = []  # (time sent, wait)
        self.outstanding = None  # time the unanswered ping was sent
        self.target = None

    def run(self):
        d = self.d
        root = d.screen().root
        # The answer comes back to the root window for its structure listeners.
        root.change_attributes(event_mask=X.StructureNotifyMask | X.SubstructureNotifyMask)
        protocols = d.intern_atom("WM_PROTOCOLS")
        ping = d.intern_atom("_NET_WM_PING")
        serial = 0
        while True:
            if self.target is None:
                wins = [w for w, _, v in program_windows(d) if v]
                if not wins:
                    time.sleep(0.05)
                    continue
                self.target = wins[0]
            serial += 1
            sent = time.monotonic()
            event = protocol.event.ClientMessage(
                window=self.target, client_type=protocols,
                data=(32, [ping, serial, self.target.id, 0, 0]))
            with self.lock:
                self.outstanding = sent
            self.target.send_event(event, event_mask=0)
            d.flush()
            answered = False
            while not answered:
                while d.pending_events():
                    e = d.next_event()
                    if (e.type == X.ClientMessage and e.client_type == protocols
                            and e.data[1][1] == serial):
                        answered = True
                    elif e.type == X.DestroyNotify and e.window == self.target:
                        self.target = None
                        answered = True
                if not answered:
                    select.select([d.fileno()], [], [], 0.005)
            now = time.monotonic()
            with self.lock:
                self.outstanding = None
                if self.target is not None:
                    self.waits.append((sent, now - sent))
            time.sleep(max(0.0, sent + interval - time.monotonic()))

    def since(self, start):
        """The waits of the pings sent since start, and the unanswered one's age so far."""
        with self.lock:
            waits = [(s, w) for s, w in self.waits if s >= start]
            pending = time.monotonic() - self.outstanding if self.outstanding else 0.0
        return waits, pending


def memory():
    fields = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            fields[key] = value.strip()
    return fields.get("VmRSS", "?"), fields.get("VmHWM", "?")


def cpu_seconds():
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rpartition(")")[2].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def histogram(waits):
    counts = [0] * (len(BUCKETS) + 1)
    for w in waits:
        i = next((k for k, b in enumerate(BUCKETS) if w < b), len(BUCKETS))
        counts[i] += 1
    labels = [f"<{int(b * 1000)}ms" for b in BUCKETS] + [f">={int(BUCKETS[-1] * 1000)}ms"]
    return " ".join(f"{l}:{c}" for l, c in zip(labels, counts) if c)


def write_png(path, width, height, rgb):
    raw = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height,
                                                                  8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def screenshot(d, path):
    root = d.screen().root
    g = root.get_geometry()
    img = root.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xFFFFFFFF)
    data = img.data  # BGRX
    rgb = bytearray(g.width * g.height * 3)
    rgb[0::3], rgb[1::3], rgb[2::3] = data[2::4], data[1::4], data[0::4]
    write_png(path, g.width, g.height, bytes(rgb))


d = xdisplay.Display()
pinger = Pinger()
pinger.start()
phase_start = time.monotonic()
watched = {}  # path -> (first seen, size then)


def wait_for(test, timeout, what):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if test():
            return True
        time.sleep(0.02)
    print(f"!! timed out after {timeout} s waiting for {what}", flush=True)
    return False


def titles():
    return [(t, v) for _, t, v in program_windows(d)]


def report(label):
    global phase_start
    now = time.monotonic()
    waits, pending = pinger.since(phase_start)
    values = [w for _, w in waits] + ([pending] if pending else [])
    longest = max(values) if values else float("nan")
    busy = [s + w - phase_start for s, w in waits if w >= BUSY]
    rss, hwm = memory()
    print(f"== {label}: {now - phase_start:.2f} s; busy until "
          f"{max(busy):.2f} s; " if busy else f"== {label}: {now - phase_start:.2f} s; ",
          end="")
    print(f"longest wait {longest * 1000:.0f} ms over {len(values)} pings "
          f"[{histogram(values)}]; RSS {rss} (peak {hwm})", flush=True)
    for path, (seen, size) in watched.items():
        final = os.path.getsize(path) if os.path.exists(path) else None
        if seen is None:
            print(f"   {path}: not seen", flush=True)
        else:
            print(f"   {path}: first seen at {seen - phase_start:+.2f} s with {size} bytes; "
                  f"now {final} bytes", flush=True)
    phase_start = now


def watch(path):
    watched[path] = (None, None)

    def look():
        while watched.get(path, (1, 0))[0] is None:
            if os.path.exists(path):
                watched[path] = (time.monotonic(), os.path.getsize(path))
                return
            time.sleep(0.005)

    threading.Thread(target=look, daemon=True).start()


def focus(matches):
    for w, t, v in program_windows(d):
        if v and matches(t):
            subprocess.run(["xdotool", "windowfocus", "--sync", str(w.id)], check=True)
            return True
    print("!! no window to focus", flush=True)
    return False


def click(matches, x, y):
    root = d.screen().root
    for w, t, v in program_windows(d):
        if v and matches(t):
            origin = w.translate_coords(root, 0, 0)
            subprocess.run(["xdotool", "mousemove", "--sync", str(x - origin.x),
                            str(y - origin.y), "click", "1"], check=True)
            return True
    print("!! no window to click", flush=True)
    return False


if not wait_for(lambda: any(v for _, v in titles()), 30, "the program's window"):
    sys.exit(1)
time.sleep(0.3)
focus(lambda t: True)
wait_for(lambda: pinger.waits, 10, "a first answer")
phase_start = time.monotonic()
source = sys.stdin if actions_path == "-" else open(actions_path)
ok = True
for number, line in enumerate(source, 1):
    line = os.path.expandvars(line.strip())
    if not line or line.startswith("#"):
        continue
    verb, _, rest = line.partition(" ")
    rest = rest.strip()
    args = shlex.split(rest) if verb not in ("type", "mark") else [rest]
    if verb == "key":
        subprocess.run(["xdotool", "key", "--delay", "60"] + args, check=True)
    elif verb == "type":
        subprocess.run(["xdotool", "type", "--delay", "20", rest], check=True)
    elif verb in ("wait", "gone"):
        pattern = re.compile(args[0])
        timeout = float(args[1]) if len(args) > 1 else 60.0
        present = lambda: any(v and pattern.search(t) for t, v in titles())
        ok = wait_for(present if verb == "wait" else (lambda: not present()), timeout,
                      f"{verb} {args[0]}")
    elif verb == "file":
        ok = wait_for(lambda: os.path.exists(args[0]),
                      float(args[1]) if len(args) > 1 else 60.0, args[0])
    elif verb == "quiet":
        span = float(args[0])
        timeout = float(args[1]) if len(args) > 1 else 300.0

        began = time.monotonic()

        def calm():
            now = time.monotonic()
            if now - span < began:
                return False
            waits, pending = pinger.since(now - span)
            return pending < BUSY and all(w < BUSY for _, w in waits)

        ok = wait_for(calm, timeout, f"{span} s of quiet")
    elif verb == "idle":
        span = float(args[0])
        timeout = float(args[1]) if len(args) > 1 else 3600.0
        samples = []  # (time, processor seconds)

        def resting():
            samples.append((time.monotonic(), cpu_seconds()))
            old = [c for c in samples if c[0] <= samples[-1][0] - span]
            if not old:
                return False
            t0, c0 = old[-1]
            return (samples[-1][1] - c0) / (samples[-1][0] - t0) < 0.1

        ok = wait_for(resting, timeout, f"{span} s of idle processor")
    elif verb == "sleep":
        time.sleep(float(args[0]))
    elif verb == "click":
        pattern = re.compile(args[0])
        ok = click(lambda t: pattern.search(t), int(args[1]), int(args[2]))
    elif verb == "focus":
        pattern = re.compile(args[0])
        ok = focus(lambda t: pattern.search(t))
    elif verb == "watch":
        watch(args[0])
    elif verb == "mark":
        report(rest)
    elif verb == "shot":
        name = args[0] if args[0].endswith(".png") else args[0] + ".png"
        screenshot(d, os.path.join(shot_dir, name))
    elif verb == "windows":
        root = d.screen().root
        for w, t, v in program_windows(d):
            origin = w.translate_coords(root, 0, 0)
            g = w.get_geometry()
            print(f"   window {'shown' if v else 'hidden'} {g.width}x{g.height}"
                  f"+{-origin.x}+{-origin.y}: {t}", flush=True)
    else:
        print(f"!! line {number}: unknown action {verb}", flush=True)
        ok = False
    if not ok:
        report(f"(stopped at line {number}: {line})")
        sys.exit(1)
PYTHON
exit $status
