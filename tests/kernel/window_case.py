# SPDX-License-Identifier: GPL-3.0-or-later
"""KX-507 itself on an X display of its own (Xvfb, no window manager, no
tray) and a private session bus with a recording notification service: the
start-up read, an Apply clicked with xdotool, a failing Apply, the doctor
beside the running program, unplug and plug; compared with the demo's runner
in the same session."""
import os
import shutil
import subprocess
import sys
import time

import kernel_session as ks
from emulated_kernel import EmulatedKernel, wire_lines, wire_table
from kernel_session import (MOUSE_NOT_FOUND, READ_CALLS, WRITE_CALLS, SKIP, Failure, assert_keyboard_untouched,
                            check, nodes_by_kind)

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
