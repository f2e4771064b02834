#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real executables against a KX-507 on an emulated kernel.

    kernel_tests.py OUT_DIR CASE [ARGUMENTS...]

(it runs itself again under umockdev-wrapper)

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
                         an Apply clicked with xdotool, a failing Apply, the
                         doctor beside it, unplug and replug; each compared
                         with the demo's runner in the same session
LAYOUT is two-nodes or one-node. Exits 77 (skipped) where umockdev or a tool
the case needs is missing; with --trace FILE the wire traces are written
there for people to read.
"""
import argparse
import ast
import errno
import os
import shutil
import struct
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
from doctor_case import case_doctor  # noqa: E402
from kernel_session import (MOUSE_NOT_FOUND, READ_CALLS, WRITE_CALLS, Failure, Trace,  # noqa: E402
                            assert_keyboard_untouched, check, nodes_by_kind)
from window_case import case_window  # noqa: E402

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
