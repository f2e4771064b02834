#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real executables against a KX-507 on an emulated kernel.

    umockdev-wrapper kernel_tests.py OUT_DIR CASE [ARGUMENTS...]

Cases:
  ctl LAYOUT             kx-507-ctl show --from-mouse and apply: the reports
                         the mouse receives are the demo's for the same session,
                         and so is its memory afterwards
  ctl-faults             a failing feature call at every step of the read and
                         the write: the message, no crash, the files unchanged
  window LAYOUT RECORDER KX-507 on an X display of its own: the start-up read,
                         an Apply clicked with xdotool, unplug and replug; each
                         compared with the demo's runner in the same session
LAYOUT is two-nodes or one-node. Exits 77 (skipped) where umockdev or a tool
the case needs is missing; with --trace FILE the wire traces are written
there for people to read.
"""
import argparse
import os
import shutil
import subprocess
import sys
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
        settled = folder.settings_digest()

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
            check(folder.settings_digest() == settled, f"{what}: the settings files changed")
            calls = len(kernel.take_wire())
            check(calls == step, f"{what}: {calls} feature calls, the sequence did not end at the failure")
            assert_keyboard_untouched(kernel)
            outcomes.append(f"{what}: exit 7, \"{caption}: {MOUSE_NOT_FOUND}\", files unchanged")
        trace.add("kx-507-ctl with a failing feature call", outcomes)
    finally:
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


def click(display, window, point):
    env = clean_environment()
    env["DISPLAY"] = display.name
    subprocess.run(["xdotool", "mousemove", "--window", window, str(point[0]), str(point[1]), "click", "1"],
                   env=env, check=True, timeout=ks.WAIT_SECONDS)


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
        trace.add(f"KX-507 start-up read ({layout}), as the emulated mouse recorded it", wire_table(read))
        trace.add("the demo's runner, same session: start", ks.demo_wire(demo, "start"))

        # Without a notification area the window opens once the tray's grace
        # is over. The start-up's own show, which the window takes back at
        # once, does not count: the window must be seen on three looks in a row.
        looks = []

        def window_stays():
            looks.append(visible_windows(display, program.pid))
            return looks[-1] if len(looks) >= 3 and all(looks[-3:]) else None

        windows = ks.wait_for(window_stays, "the main window")
        click(display, windows[0], ks.APPLY_POINT)
        written = wait_for_calls(kernel, WRITE_CALLS, "the Apply")
        ks.compare_traces("Apply", wire_lines(written), ks.demo_wire(demo, apply_line))
        check(kernel.memory() == ks.demo_mouse(demo), "after Apply the emulated mouse's memory differs from the demo's")
        trace.add(f"KX-507 Apply ({layout}), as the emulated mouse recorded it", wire_table(written))
        trace.add("the demo's runner, same session: Apply", ks.demo_wire(demo, apply_line))

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
    finally:
        for process in reversed(started):
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
    parser.add_argument("case", choices=["ctl", "ctl-faults", "window"])
    parser.add_argument("arguments", nargs="*")
    parser.add_argument("--trace")
    options = parser.parse_args()
    trace = Trace(options.trace)
    try:
        if options.case == "ctl":
            case_ctl(options.out_dir, options.arguments[0], trace)
        elif options.case == "ctl-faults":
            case_ctl_faults(options.out_dir, trace)
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
