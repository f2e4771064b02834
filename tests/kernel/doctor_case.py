# SPDX-License-Identifier: GPL-3.0-or-later
"""kx-507-ctl doctor against the emulated kernel: the mouse present (with
another program holding a node), absent, its nodes unreadable, the udev rule
missing or different."""
import os
import shutil
import stat
import subprocess
import sys

import kernel_session as ks
from emulated_kernel import EmulatedKernel
from kernel_session import SKIP, assert_keyboard_untouched, check

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
