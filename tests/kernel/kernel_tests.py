#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real executables against a KX-507 on an emulated kernel.

    umockdev-wrapper kernel_tests.py OUT_DIR CASE [ARGUMENTS...]

Cases:
  node                   the emulated node answers ioctls as the kernel does
  ctl LAYOUT             kx-507-ctl show --from-mouse and apply: the reports
                         the mouse receives are the demo's for the same session,
                         and so is its memory afterwards
  ctl-faults             a failing feature call at every step of the read and
                         the write: the message, no crash, the files unchanged
  doctor SOURCE_DIR      kx-507-ctl doctor with the mouse present, absent, its
                         nodes unreadable, the udev rule missing or different
  window LAYOUT RECORDER KX-507 on an X display of its own: the start-up read,
                         an Apply clicked with xdotool, unplug and replug; each
                         compared with the demo's runner in the same session
LAYOUT is two-nodes or one-node. Exits 77 (skipped) where umockdev or a tool
the case needs is missing; with --trace FILE the wire traces are written
there for people to read.
"""
import argparse
import ast
import errno
import os
import shutil
import stat
import struct
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

SKIP = 77
WRAPPED = "KX_KERNEL_TEST_WRAPPED"

# The fixture itself runs under umockdev's preload library: the uevent sender
# reads the device's files through it.
if os.environ.get(WRAPPED) != "1":
    wrapper = shutil.which("umockdev-wrapper")
    if not wrapper:
        print("umockdev is not installed (scripts/install-deps.sh installs it): skipped")
        sys.exit(SKIP)
    os.environ[WRAPPED] = "1"
    os.execv(wrapper, [wrapper, sys.executable, *sys.argv])

try:
    from emulated_kernel import EmulatedKernel, wire_lines, wire_table
except (ImportError, ValueError) as error:
    print(f"umockdev's GObject introspection data is not installed ({error}): skipped")
    sys.exit(SKIP)

import kernel_session as ks  # noqa: E402
from kernel_session import Failure, check  # noqa: E402

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


# kx-507-ctl ----------------------------------------------------------------

def case_ctl(out_dir, layout, trace):
    memory = ks.test_memory()
    folder = ks.ProgramFolder(out_dir, ["kx-507-ctl"])
    work = os.path.join(folder.root, "demo")
    os.makedirs(work)
    try:
        demo = ks.run_demo(out_dir, work, ["notification-area absent", "start", "show wire reports", "wait 5000",
                                           f"click {ks.APPLY_POINT[0]} {ks.APPLY_POINT[1]}",
                                           "show wire reports", "show mouse"], memory)
        kernel = EmulatedKernel(memory, layout)

        shown = ks.run_ctl(kernel, folder, "show", "--from-mouse")
        check(shown.returncode == 0, f"show --from-mouse: exit {shown.returncode}\n{shown.stderr}")
        check("DPI table: 2" in shown.stdout, f"show --from-mouse did not take the DPI table:\n{shown.stdout}")
        read = kernel.take_wire()
        ks.compare_traces("start-up read", wire_lines(read), ks.demo_wire(demo, "start"))
        expected_nodes = ({("set", "command"): "hidraw2", ("get", "command"): "hidraw2", ("get", "data"): "hidraw1"}
                          if layout == "two-nodes" else
                          {("set", "command"): "hidraw1", ("get", "command"): "hidraw1", ("get", "data"): "hidraw1"})
        check(nodes_by_kind(read) == expected_nodes, f"reports went to the wrong nodes: {nodes_by_kind(read)}")
        trace.add(f"kx-507-ctl show --from-mouse ({layout}), as the emulated mouse recorded it", wire_table(read))

        applied = ks.run_ctl(kernel, folder, "apply")
        check(applied.returncode == 0, f"apply: exit {applied.returncode}\n{applied.stderr}")
        records = kernel.take_wire()
        check(len(records) == READ_CALLS + WRITE_CALLS, f"apply made {len(records)} feature calls")
        ks.compare_traces("apply's read", wire_lines(records[:READ_CALLS]), ks.demo_wire(demo, "start"))
        apply_line = f"click {ks.APPLY_POINT[0]} {ks.APPLY_POINT[1]}"
        ks.compare_traces("apply's write", wire_lines(records[READ_CALLS:]), ks.demo_wire(demo, apply_line))
        check(kernel.memory() == ks.demo_mouse(demo),
              "after apply the emulated mouse's memory differs from the demo's after the window's Apply")
        trace.add(f"kx-507-ctl apply ({layout}): its write, as the emulated mouse recorded it",
                  wire_table(records[READ_CALLS:]))
        assert_keyboard_untouched(kernel)
    finally:
        folder.remove()


def case_ctl_faults(out_dir, trace):
    """Every step of the read (show --from-mouse) and of the write (apply)
    failing in turn. The settings files are those of an earlier apply, so that
    an apply that saves them again leaves them as they were."""
    memory = ks.test_memory()
    folder = ks.ProgramFolder(out_dir, ["kx-507-ctl"])
    outcomes = []
    try:
        kernel = EmulatedKernel(memory, "two-nodes")
        first = ks.run_ctl(kernel, folder, "apply")
        check(first.returncode == 0, f"the first apply failed: {first.stderr}")
        kernel.take_wire()
        settled = folder.settings_files()

        plan = [("show", "ReadOperation", step, "EIO") for step in range(1, READ_CALLS + 1)]
        plan += [("apply", "WriteOperation", READ_CALLS + step, "EIO") for step in range(1, WRITE_CALLS + 1)]
        plan += [("show", "ReadOperation", 1, "EPIPE"), ("show", "ReadOperation", 2, "short"),
                 ("show", "ReadOperation", 5, "short"), ("apply", "WriteOperation", READ_CALLS + 2, "short"),
                 ("show", "ReadOperation", 8, "vanish"), ("apply", "WriteOperation", READ_CALLS + 9, "vanish")]
        for command, caption, step, kind in plan:
            kernel = EmulatedKernel(memory, "two-nodes")
            kernel.fail_feature_call(step, kind)
            arguments = ["show", "--from-mouse"] if command == "show" else ["apply"]
            result = ks.run_ctl(kernel, folder, *arguments)
            kernel.settle()
            what = f"{command} with call {step} failing ({kind})"
            expected = f"kx-507-ctl: {caption}: {MOUSE_NOT_FOUND}"
            check(result.returncode == 7, f"{what}: exit {result.returncode}, not 7\n{result.stderr}")
            check(expected in result.stderr.splitlines(), f"{what}: said\n{result.stderr}")
            check(result.stdout == "", f"{what}: printed settings anyway:\n{result.stdout}")
            ks.compare_files(what, settled, folder.settings_files())
            calls = len(kernel.take_wire())
            check(calls == step, f"{what}: {calls} feature calls, the sequence did not end at the failure")
            assert_keyboard_untouched(kernel)
            outcomes.append(f"{what}: exit 7, \"{caption}: {MOUSE_NOT_FOUND}\", files unchanged")
        trace.add("kx-507-ctl with a failing feature call", outcomes)
    finally:
        folder.remove()


# The emulated node itself ---------------------------------------------------

# Run inside the emulated kernel: the ioctls as a program makes them, and what
# the kernel's hidraw driver answers to each.
NODE_PROBE = r"""
import errno, fcntl, os, struct, sys
def ioc(nr, size): return (3 << 30) | (size << 16) | (ord("H") << 8) | nr
def call(fd, request, buffer):
    try:
        return fcntl.ioctl(fd, request, buffer, True), bytes(buffer)
    except OSError as error:
        return -error.errno, bytes(buffer)
out = []
fd = os.open(sys.argv[1], os.O_RDWR)
info = bytearray(8)
out.append(("rawinfo", call(fd, 0x80084803, info)[0], struct.unpack("<Ihh", info)))
size = bytearray(4)
call(fd, 0x80044801, size)
length = struct.unpack("<i", size)[0]
descriptor = bytearray(struct.pack("<I", length) + bytes(4096))
out.append(("descriptor", call(fd, 0x90044802, descriptor)[0], descriptor[4:4 + length].hex()))
out.append(("descriptor too long", call(fd, 0x90044802, bytearray(struct.pack("<I", 4096) + bytes(4096)))[0]))
out.append(("set one byte", call(fd, ioc(6, 1), bytearray(b"\\x01"))[0]))
out.append(("set 7 of 8", call(fd, ioc(6, 7), bytearray(b"\x01" + bytes(6)))[0]))
out.append(("set report 5", call(fd, ioc(6, 8), bytearray(b"\x05" + bytes(7)))[0]))
out.append(("get 80 of 8", call(fd, ioc(7, 80), bytearray(b"\x01" + bytes(79)))[0]))
print(repr(out))
"""


def case_node(out_dir, trace):
    """The command node answers as the kernel's hidraw driver does: its
    identity, its descriptor, and the errors of a wrong length or report."""
    from emulated_kernel import COMMAND_INTERFACE, PRODUCT, VENDOR
    kernel = EmulatedKernel(ks.test_memory(), "two-nodes")
    result = subprocess.run([sys.executable, "-c", NODE_PROBE, "/dev/hidraw2"], env=kernel.environment(),
                            capture_output=True, text=True, timeout=ks.PROGRAM_TIMEOUT)
    check(result.returncode == 0, f"the probe failed:\n{result.stderr}")
    answers = {entry[0]: entry[1:] for entry in ast.literal_eval(result.stdout)}
    signed = struct.unpack("<hh", struct.pack("<HH", VENDOR, PRODUCT))
    check(answers["rawinfo"] == (0, (3, *signed)), f"HIDIOCGRAWINFO: {answers['rawinfo']}")
    check(answers["descriptor"] == (0, COMMAND_INTERFACE.hex()), f"HIDIOCGRDESC: {answers['descriptor']}")
    check(answers["descriptor too long"] == (-errno.EINVAL,), "a descriptor of 4096 bytes is not refused")
    check(answers["set one byte"] == (-errno.EINVAL,), "a report of one byte is not refused")
    check(answers["set 7 of 8"] == (-errno.EPIPE,), "a short command report does not stall")
    check(answers["set report 5"] == (-errno.EPIPE,), "a report the interface lacks does not stall")
    check(answers["get 80 of 8"] == (8,), f"a long buffer gets {answers['get 80 of 8']} bytes, not the report's 8")
    assert_keyboard_untouched(kernel)
    trace.add("the command node's answers", [f"{key}: {value}" for key, value in answers.items()])


# kx-507-ctl doctor ---------------------------------------------------------

NOBODY = 65534


def open_to_everyone(root):
    """The testbed and the program folder readable by the user the doctor
    runs as when this is root (root may open any node)."""
    for folder, subfolders, files in os.walk(root):
        os.chmod(folder, 0o755)
        for name in files:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                continue
            mode = os.stat(path).st_mode
            # umockdev's ioctl sockets: connecting takes write permission.
            os.chmod(path, mode | (0o666 if stat.S_ISSOCK(mode) else 0o444))


def node_target(kernel, node):
    return os.path.realpath(os.path.join(kernel.testbed.get_root_dir(), "dev", node))


def run_doctor(kernel, folder, rules, as_nobody):
    program = folder.path("kx-507-ctl")
    env = kernel.environment(folder.base_environment(), ks.sanitizer_runtime(program))
    env["KX_UDEV_RULES_DIR"] = rules
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        env.pop(name, None)
    command = [program, "doctor"]
    if as_nobody:
        run = os.path.join(folder.root, "run-nobody")
        os.makedirs(run, mode=0o700, exist_ok=True)
        os.chown(run, NOBODY, NOBODY)
        env.update(XDG_RUNTIME_DIR=run, HOME=run, XDG_CONFIG_HOME=run, XDG_STATE_HOME=run)
        command = ["setpriv", "--reuid", str(NOBODY), "--regid", str(NOBODY), "--clear-groups", *command]
    result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=ks.PROGRAM_TIMEOUT)
    check(result.returncode >= 0, f"doctor died of signal {-result.returncode}:\n{result.stderr}")
    ks.check_no_sanitizer_report("doctor", result.stderr)
    return result


def case_doctor(out_dir, source_dir, trace):
    """The mouse present, absent, its node unreadable, the rule missing."""
    root = os.geteuid() == 0
    if root and not shutil.which("setpriv"):
        print("setpriv is not installed (needed to look as a user other than root): skipped")
        sys.exit(SKIP)
    memory = ks.test_memory()
    folder = ks.ProgramFolder(out_dir, ["kx-507-ctl"])
    installed = os.path.join(folder.root, "rules-installed")
    missing = os.path.join(folder.root, "rules-missing")
    os.makedirs(installed)
    os.makedirs(missing)
    shutil.copy(os.path.join(source_dir, "res", "udev", "70-kx507.rules"), installed)
    holder = None
    try:
        cases = []

        kernel = EmulatedKernel(memory, "two-nodes")
        # Another program with the command node open.
        holder = subprocess.Popen([sys.executable, "-c", "import os, sys; fd = os.open('/dev/hidraw2', os.O_RDWR); "
                                   "print('open', flush=True); sys.stdin.read()"],
                                  env=kernel.environment(), stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        check(holder.stdout.readline().strip() == "open", "the holding process did not open the node")
        present = run_doctor(kernel, folder, installed, False)
        holder.stdin.close()
        holder.wait(timeout=ks.WAIT_SECONDS)
        holder = None
        cases.append(("mouse present, its nodes open to the user, rule installed", present))
        check(present.returncode == 0, f"doctor, mouse present: exit {present.returncode}\n{present.stdout}")
        for expected in ("[ok] the KX-507 is there, with its command and data collections:",
                         "/dev/hidraw1: usage page 1, usage 2, feature report 65 bytes (the data collection)",
                         "/dev/hidraw2: usage page 1, usage 6, feature report 8 bytes (the command collection)",
                         "[ok] you may open /dev/hidraw1", "[ok] you may open /dev/hidraw2",
                         f"[ok] the udev rule {installed}/70-kx507.rules is installed, as this version ships it",
                         "[ok] no other program has /dev/hidraw1 open",
                         "has /dev/hidraw2 open: reports it sends could mix with this program's",
                         "The mouse can be used."):
            check(expected in present.stdout, f"doctor, mouse present, does not say {expected!r}:\n{present.stdout}")
        assert_keyboard_untouched(kernel)

        rule_missing = run_doctor(kernel, folder, missing, False)
        cases.append(("mouse present, rule missing", rule_missing))
        check(rule_missing.returncode == 0, f"doctor, rule missing: exit {rule_missing.returncode}")
        check(f"[problem] the udev rule 70-kx507.rules is not installed (looked in {missing})" in rule_missing.stdout
              and "fix: install the package, or run scripts/install-udev-rule.sh" in rule_missing.stdout,
              f"doctor, rule missing:\n{rule_missing.stdout}")

        with open(os.path.join(missing, "70-kx507.rules"), "w") as f:
            f.write("# an older rule\n")
        rule_differs = run_doctor(kernel, folder, missing, False)
        os.unlink(os.path.join(missing, "70-kx507.rules"))
        check("differs from the one this version ships" in rule_differs.stdout,
              f"doctor, another rule:\n{rule_differs.stdout}")

        # Only root may open the mouse's nodes; the doctor runs as somebody else.
        for node in ("hidraw1", "hidraw2"):
            os.chmod(node_target(kernel, node), 0o600 if root else 0o000)
        open_to_everyone(kernel.testbed.get_root_dir())
        open_to_everyone(folder.root)
        unreadable = run_doctor(kernel, folder, installed, root)
        cases.append(("mouse present, its nodes unreadable" + (" (looked as user nobody)" if root else ""),
                      unreadable))
        check(unreadable.returncode == 6,
              f"doctor, node unreadable: exit {unreadable.returncode}\n{unreadable.stdout}{unreadable.stderr}")
        check("[problem] you may not open /dev/hidraw2: Permission denied" in unreadable.stdout and
              "fix: the udev rule gives the user logged in at the seat access" in unreadable.stdout and
              "The mouse cannot be used" in unreadable.stdout, f"doctor, node unreadable:\n{unreadable.stdout}")

        absent = run_doctor(EmulatedKernel(memory, "two-nodes", plugged=False), folder, installed, False)
        cases.append(("mouse absent", absent))
        check(absent.returncode == 6, f"doctor, mouse absent: exit {absent.returncode}")
        check("[problem] no KX-507 (USB 04d9:a09e) is among the HID devices" in absent.stdout and
              "fix: plug the mouse in" in absent.stdout, f"doctor, mouse absent:\n{absent.stdout}")

        for title, result in cases:
            trace.add(f"kx-507-ctl doctor: {title} (exit {result.returncode})",
                      result.stdout.replace(folder.root, "$TMP").splitlines())
    finally:
        if holder:
            holder.kill()
        folder.remove()


# KX-507 on an X display ---------------------------------------------------

class Display:
    """Xvfb on the first free display, without a window manager or a tray."""

    def __init__(self, folder):
        self.log = open(os.path.join(folder, "xvfb.log"), "w")
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                        "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,),
                                       stdout=self.log, stderr=self.log, env=clean_environment())
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        check(number, "Xvfb did not start")
        self.name = f":{number}"

    def stop(self):
        self.server.terminate()
        self.server.wait(timeout=ks.WAIT_SECONDS)
        self.log.close()


def clean_environment(env=None):
    """An environment for the helpers (X server, xdotool): not preloaded."""
    env = dict(os.environ if env is None else env)
    env.pop("LD_PRELOAD", None)
    env.pop("UMOCKDEV_DIR", None)
    return env


def visible_windows(display, pid):
    env = clean_environment()
    env["DISPLAY"] = display.name
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], capture_output=True,
                            text=True, env=env, timeout=ks.WAIT_SECONDS)
    return result.stdout.split()


def find_window(display, title):
    env = clean_environment()
    env["DISPLAY"] = display.name
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], capture_output=True,
                            text=True, env=env, timeout=ks.WAIT_SECONDS)
    return result.stdout.split()


def close_box(display, window):
    """OK with the keyboard; there is no window manager to give the focus."""
    env = clean_environment()
    env["DISPLAY"] = display.name
    subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "Return"], env=env, check=True,
                   timeout=ks.WAIT_SECONDS)


def click(display, window, point):
    env = clean_environment()
    env["DISPLAY"] = display.name
    subprocess.run(["xdotool", "mousemove", "--window", window, str(point[0]), str(point[1]), "click", "1"],
                   env=env, check=True, timeout=ks.WAIT_SECONDS)


# A click on Apply starts the write at once; when nothing came in this long
# the click did not reach the window.
CLICK_ANSWER_SECONDS = 10
# The start-up shows the window and takes it back at once; the window that
# opens once the tray's grace is over stays.
WINDOW_STAYS_SECONDS = 1.0


def wait_quietly(condition, seconds):
    try:
        return ks.wait_for(condition, "", seconds)
    except Failure:
        return None


def wait_for_main_window(display, program):
    """The main window's id once it has been seen shown, on every look, for
    WINDOW_STAYS_SECONDS."""
    since = [None]

    def window_stays():
        windows = visible_windows(display, program.pid)
        if not windows:
            since[0] = None
            return None
        since[0] = since[0] or time.monotonic()
        return windows if time.monotonic() - since[0] >= WINDOW_STAYS_SECONDS else None

    return ks.wait_for(window_stays, "the main window")


def wait_for_calls(kernel, count, what):
    records = []

    def arrived():
        records.extend(kernel.take_wire())
        return len(records) >= count

    ks.wait_for(arrived, f"{what}: {count} feature calls (got {len(records)})")
    return records


def case_window(out_dir, layout, recorder, trace):
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print(f"{tool} is not installed: skipped")
            sys.exit(SKIP)
    check("DBUS_SESSION_BUS_ADDRESS" in os.environ, "no session bus: run under dbus-run-session")
    memory = ks.test_memory()
    folder = ks.ProgramFolder(out_dir, ["KX-507", "kx-507-ctl"])
    work = os.path.join(folder.root, "demo")
    os.makedirs(work)
    apply_line = f"click {ks.APPLY_POINT[0]} {ks.APPLY_POINT[1]}"
    demo = ks.run_demo(out_dir, work, ["notification-area absent", "start", "show wire reports", "wait 5000",
                                       apply_line, "show wire reports", "show mouse", "unplug", "plug",
                                       "show wire reports"], memory)
    kernel = EmulatedKernel(memory, layout)
    display = Display(folder.root)
    started = []
    try:
        received = open(os.path.join(folder.root, "received"), "w+")
        notifications = subprocess.Popen([recorder], stdout=received, stderr=subprocess.DEVNULL,
                                         env=clean_environment())
        started.append(notifications)
        ks.wait_for(lambda: open(received.name).read().startswith("ready"), "the notification service")

        program_path = folder.path("KX-507")
        env = kernel.environment(folder.base_environment(), ks.sanitizer_runtime(program_path))
        env["DISPLAY"] = display.name
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY"):
            env.pop(name, None)
        log = open(os.path.join(folder.root, "program.log"), "w")
        program = subprocess.Popen([program_path], env=env, stdout=log, stderr=log)
        started.append(program)

        read = wait_for_calls(kernel, READ_CALLS, "the start-up read")
        ks.compare_traces("start-up read", wire_lines(read), ks.demo_wire(demo, "start"))
        data_node = "hidraw1"
        command_node = "hidraw2" if layout == "two-nodes" else "hidraw1"
        check(nodes_by_kind(read) == {("set", "command"): command_node, ("get", "command"): command_node,
                                      ("get", "data"): data_node}, f"wrong nodes: {nodes_by_kind(read)}")
        trace.add(f"KX-507 start-up read ({layout}): the emulated mouse's record beside the demo's runner",
                  ks.side_by_side(read, ks.demo_wire(demo, "start", pauses=True)))

        windows = wait_for_main_window(display, program)
        click(display, windows[0], ks.APPLY_POINT)
        written = kernel.take_wire()
        if not written and not wait_quietly(lambda: kernel.wire, CLICK_ANSWER_SECONDS):
            # The click met the start-up's own show as it was taken back: once more.
            windows = wait_for_main_window(display, program)
            click(display, windows[0], ks.APPLY_POINT)
        written += wait_for_calls(kernel, WRITE_CALLS - len(written), "the Apply")
        ks.compare_traces("Apply", wire_lines(written), ks.demo_wire(demo, apply_line))
        check(kernel.memory() == ks.demo_mouse(demo), "after Apply the emulated mouse's memory differs from the demo's")
        trace.add(f"KX-507 Apply ({layout}): the emulated mouse's record beside the demo's runner",
                  ks.side_by_side(written, ks.demo_wire(demo, apply_line, pauses=True)))

        # An Apply whose write fails half-way: the box, the program still
        # there, the files as the first Apply left them.
        # The first Apply saves both files after its write: str.ini is new,
        # config.bin's first-run flag becomes 1.
        def saved():
            files = folder.settings_files()
            return files["str.ini"] is not None and files["config.bin"][:1] == b"\x01"

        ks.wait_for(saved, "the files saved by the Apply")
        settled = folder.settings_files()
        kernel.fail_feature_call(9, "EIO")
        click(display, windows[0], ks.APPLY_POINT)
        failed = wait_for_calls(kernel, 9, "the failing Apply")
        check(failed[-1][-1] == "-EIO", f"the ninth call of the Apply did not fail: {wire_lines(failed)}")
        box = ks.wait_for(lambda: find_window(display, "WriteOperation"), "the WriteOperation box")
        check(wait_quietly(lambda: kernel.wire, 1) is None, "the write went on after a failing call")
        check(program.poll() is None, f"KX-507 ended with {program.returncode} after a failing call")
        close_box(display, box[0])
        ks.wait_for(lambda: not find_window(display, "WriteOperation"), "the box closed")
        ks.compare_files("a failing write", settled, folder.settings_files())
        trace.add(f"KX-507 Apply with its ninth feature call failing (EIO) ({layout})", wire_table(failed))

        # The doctor on this desktop, with the program running.
        doctor_env = kernel.environment(folder.base_environment(), ks.sanitizer_runtime(folder.path("kx-507-ctl")))
        doctor_env.update(DISPLAY=display.name, KX_UDEV_RULES_DIR=os.path.join(folder.root, "no-rules"))
        doctor = subprocess.run([folder.path("kx-507-ctl"), "doctor"], env=doctor_env, capture_output=True,
                                text=True, timeout=ks.PROGRAM_TIMEOUT)
        ks.check_no_sanitizer_report("doctor", doctor.stderr)
        for expected in ("[note] KX-507 is running", f"[note] KX-507 (process {program.pid}) has /dev/{command_node} open",
                         f"[note] an X11 session ({display.name})",
                         "[problem] no notification area: KX-507 opens its window at start-up instead of an icon",
                         "[ok] a notifications service is there (org.freedesktop.Notifications)",
                         "The mouse can be used."):
            check(expected in doctor.stdout, f"doctor beside the running program does not say {expected!r}:\n"
                  f"{doctor.stdout}{doctor.stderr}")
        trace.add(f"kx-507-ctl doctor beside the running KX-507 ({layout}; X11 without a tray, a notifications "
                  f"service, no udev rule) (exit {doctor.returncode})",
                  doctor.stdout.replace(folder.root, "$TMP").splitlines())
        check(kernel.take_wire() == [], "the doctor sent feature reports")

        kernel.unplug()
        warned = f'title "Warning" text "{MOUSE_NOT_FOUND}"'
        ks.wait_for(lambda: warned in open(received.name).read(), "the \"not detected\" notification")
        ks.wait_for(lambda: not visible_windows(display, program.pid), "the window hidden after the unplug")
        check(kernel.take_wire() == [], "the program talked to an unplugged mouse")

        kernel.plug()
        again = wait_for_calls(kernel, READ_CALLS, "the read after the mouse came back")
        ks.compare_traces("read after arrival", wire_lines(again), ks.demo_wire(demo, "plug"))
        check(program.poll() is None, f"KX-507 ended with {program.returncode}")
        trace.add(f"KX-507 after unplug and plug ({layout}): the re-read", wire_table(again))
        assert_keyboard_untouched(kernel)
    except Failure as failure:
        seen = open(os.path.join(folder.root, "received")).read()
        said = open(os.path.join(folder.root, "program.log")).read()
        raise Failure(f"{failure}\nnotifications received:\n{seen}\nKX-507 said:\n{said}") from None
        program.terminate()
        program.wait(timeout=ks.WAIT_SECONDS)
        ks.check_no_sanitizer_report("KX-507", open(os.path.join(folder.root, "program.log")).read())
    finally:
        for process in reversed(started):
            if process.poll() is None:
                process.terminate()
        for process in reversed(started):
            try:
                process.wait(timeout=ks.WAIT_SECONDS)
            except subprocess.TimeoutExpired:
                process.kill()
        display.stop()
        folder.remove()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out_dir")
    parser.add_argument("case", choices=["node", "ctl", "ctl-faults", "doctor", "window"])
    parser.add_argument("arguments", nargs="*")
    parser.add_argument("--trace")
    options = parser.parse_args()
    trace = Trace(options.trace)
    try:
        if options.case == "node":
            case_node(options.out_dir, trace)
        elif options.case == "ctl":
            case_ctl(options.out_dir, options.arguments[0], trace)
        elif options.case == "ctl-faults":
            case_ctl_faults(options.out_dir, trace)
        elif options.case == "doctor":
            case_doctor(options.out_dir, options.arguments[0], trace)
        else:
            case_window(options.out_dir, options.arguments[0], options.arguments[1], trace)
    except Failure as failure:
        trace.write()
        print(f"FAIL: {failure}")
        return 1
    except Exception:
        trace.write()
        traceback.print_exc()
        return 1
    trace.write()
    print(f"PASS: {options.case} {' '.join(options.arguments)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
