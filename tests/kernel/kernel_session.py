# SPDX-License-Identifier: GPL-3.0-or-later
"""What the kernel tests share: a private copy of the program folder, the
programs run against the emulated kernel, the demo's runner for the same
session, and bounded waits."""
import os
import shutil
import subprocess
import tempfile
import time

SKIP = 77               # ctest's "skipped"
WAIT_SECONDS = 60
PROGRAM_TIMEOUT = 120
APPLY_POINT = (529, 587)        # the middle of the main window's Apply button


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(condition, what, seconds=WAIT_SECONDS):
    """Polls until condition() is true; fails after `seconds` of wall time."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise Failure(f"gave up waiting: {what}")


def test_memory():
    """A mouse memory the tests can tell apart from zeros and from the
    factory's: every byte different from its neighbours, the report-rate code 3,
    DPI stage 1 and DPI table 2."""
    memory = bytearray((i * 37 + 11) & 0xFF for i in range(322))
    memory[0], memory[1], memory[195] = 3, 1, 2
    return bytes(memory)


def sanitizer_runtime(program):
    """The sanitizer runtime a program was built with, to be preloaded before
    umockdev's library; None for a normal build."""
    try:
        linked = subprocess.run(["ldd", program], capture_output=True, text=True, timeout=30).stdout
    except (OSError, subprocess.SubprocessError):
        return None
    for line in linked.splitlines():
        name = line.strip().split(" ", 1)[0]
        if name.startswith("libasan.so"):
            return name
    return None


class ProgramFolder:
    """The programs, their pictures and the shipped config.bin copied into a
    folder of their own, with a private run-time folder and home."""

    def __init__(self, out_dir, names):
        self.root = tempfile.mkdtemp(prefix="kx-kernel-test.")
        self.app = os.path.join(self.root, "app")
        os.makedirs(self.app)
        for name in names + ["config.bin"]:
            shutil.copy2(os.path.join(out_dir, name), self.app)
        for folder in ("Skins", "icons"):
            source = os.path.join(out_dir, folder)
            if os.path.isdir(source):
                shutil.copytree(source, os.path.join(self.app, folder))
        self.run = os.path.join(self.root, "run")
        self.home = os.path.join(self.root, "home")
        os.makedirs(self.run, mode=0o700)
        os.makedirs(self.home)

    def path(self, name):
        return os.path.join(self.app, name)

    def base_environment(self):
        env = dict(os.environ)
        env.update(HOME=self.home, XDG_RUNTIME_DIR=self.run, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                   XDG_STATE_HOME=os.path.join(self.home, ".state"), LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   LANGUAGE="en")
        return env

    def settings_files(self):
        """config.bin and str.ini as they are now (None when missing)."""
        files = {}
        for name in ("config.bin", "str.ini"):
            try:
                with open(self.path(name), "rb") as f:
                    files[name] = f.read()
            except FileNotFoundError:
                files[name] = None
        return files

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


def run_ctl(kernel, folder, *arguments):
    program = folder.path("kx-507-ctl")
    env = kernel.environment(folder.base_environment(), sanitizer_runtime(program))
    result = subprocess.run([program, *arguments], env=env, capture_output=True, text=True,
                            timeout=PROGRAM_TIMEOUT)
    check(result.returncode >= 0, f"kx-507-ctl {' '.join(arguments)} died of signal {-result.returncode}:\n"
          f"{result.stderr}")
    check_no_sanitizer_report(f"kx-507-ctl {' '.join(arguments)}", result.stderr)
    return result


# What the sanitizers print; UndefinedBehaviorSanitizer goes on after it.
SANITIZER_REPORTS = ("runtime error:", "ERROR: AddressSanitizer", "ERROR: LeakSanitizer")


def check_no_sanitizer_report(what, output):
    for report in SANITIZER_REPORTS:
        check(report not in output, f"{what}: the sanitizer reported:\n{output}")


# The demo's runner ------------------------------------------------------------

def run_demo(out_dir, work, script_lines, memory):
    """Runs the demo through kx-run with the same mouse memory; returns its
    report."""
    with open(os.path.join(work, "memory.bin"), "wb") as f:
        f.write(memory)
    script = os.path.join(work, "session.kxs")
    with open(script, "w") as f:
        f.write("mouse memory memory.bin\n" + "\n".join(script_lines) + "\n")
    result = subprocess.run([os.path.join(out_dir, "kx-run"), script], capture_output=True, text=True,
                            timeout=PROGRAM_TIMEOUT, env={k: v for k, v in os.environ.items()
                                                          if k not in ("LD_PRELOAD", "UMOCKDEV_DIR")})
    check(result.returncode == 0, f"kx-run failed ({result.returncode}):\n{result.stdout}\n{result.stderr}")
    return result.stdout


def demo_wire(report, action, pauses=False):
    """The reports of one action's transfer in the runner's report, without
    its pauses unless asked for (the emulated mouse sees the reports, not the
    clock)."""
    lines = report.splitlines()
    header = f'wire reports of "{action}"'
    for i, line in enumerate(lines):
        if line.startswith(header):
            taken = []
            for entry in lines[i + 1:]:
                if not entry.startswith("  "):
                    break
                if pauses or not entry.strip().startswith("pause"):
                    taken.append(entry.strip())
            return taken
    raise Failure(f"the runner's report has no transfer of {action!r}:\n{report}")


def side_by_side(records, demo_lines):
    """The emulated mouse's record of a transfer beside the demo's: each report
    as the handler descrambled it, as it crossed, and as the demo's runner
    printed it; the demo's virtual pauses beside the time that really passed."""
    rows = []
    previous = None
    demo = list(demo_lines)
    for seconds, node, direction, kind, plain, raw, result in records:
        waited = None
        while demo and demo[0].startswith("pause"):
            waited = demo.pop(0)
        gap = 0 if previous is None else (seconds - previous) * 1000
        previous = seconds
        if waited:
            rows.append(f"   demo: {waited:<16} handler: {gap:.0f} ms passed")
        theirs = demo.pop(0) if demo else "(nothing)"
        mine = f"{direction} {kind}: {plain.hex(' ')}"
        rows.append(f"{node:8} handler: {mine}")
        rows.append(f"{'':8} wire:    {raw.hex(' ')}   ({result} bytes)")
        rows.append(f"{'':8} demo:    {theirs}   {'(same)' if theirs == mine else '(DIFFERS)'}")
    return rows


def demo_mouse(report):
    """The last "show mouse" dump of the runner's report as bytes."""
    lines = report.splitlines()
    start = max(i for i, line in enumerate(lines) if line.startswith("mouse memory ("))
    data = bytearray()
    for line in lines[start + 1:]:
        if not line.startswith("  ") or ":" not in line:
            break
        data += bytes.fromhex(line.split(":", 1)[1])
    return bytes(data)


def compare_traces(what, emulated, demo):
    if emulated == demo:
        return
    lines = [f"{what}: the emulated mouse and the demo differ"]
    for i in range(max(len(emulated), len(demo))):
        mine = emulated[i] if i < len(emulated) else "(nothing)"
        theirs = demo[i] if i < len(demo) else "(nothing)"
        mark = "  " if mine == theirs else "!!"
        lines.append(f"{mark} {i + 1:2}  emulated: {mine}\n         demo:     {theirs}")
    raise Failure("\n".join(lines))


def compare_files(what, before, after):
    for name in before:
        if before[name] == after[name]:
            continue
        if before[name] is None or after[name] is None:
            raise Failure(f"{what}: {name} {'appeared' if before[name] is None else 'went away'}")
        old, new = before[name], after[name]
        offsets = [i for i in range(min(len(old), len(new))) if old[i] != new[i]]
        raise Failure(f"{what}: {name} changed ({len(old)} -> {len(new)} bytes, first differences at "
                      f"{offsets[:8]}):\n{old[:400]!r}\n{new[:400]!r}")


# What every case checks -----------------------------------------------------

MOUSE_NOT_FOUND = "The system did not detect the gaming mouse!"
READ_CALLS = 17         # header read, its answer, then per block: command, answer, data
WRITE_CALLS = 18        # header read, its answer, header write, then per block: command, answer, data


class Trace:
    def __init__(self, path):
        self.path = path
        self.parts = []

    def add(self, title, lines):
        self.parts.append(f"## {title}\n" + "\n".join(lines) + "\n")

    def write(self):
        if self.path:
            with open(self.path, "w") as f:
                f.write("\n".join(self.parts))


def assert_keyboard_untouched(kernel):
    sent = [call for call in kernel.keyboard_calls if call in ("HIDIOCSFEATURE", "HIDIOCGFEATURE")]
    check(not sent, f"the keyboard received feature reports: {sent}")


def nodes_by_kind(records):
    return {(direction, kind): node for _, node, direction, kind, _, _, _ in records}
