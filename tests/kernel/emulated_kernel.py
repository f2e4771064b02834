# SPDX-License-Identifier: GPL-3.0-or-later
"""A KX-507 on an emulated kernel: sysfs, hidraw nodes and udev events.

umockdev builds a private /sys and /dev that the programs under test see
through its preload library. The tree is laid out as the kernel lays out a
USB mouse: USB device, interfaces, HID devices with their report descriptors,
hidraw class devices with their `device` link. An unrelated keyboard sits
beside the mouse. The mouse's hidraw ioctls are answered by the firmware model
(kx507_firmware), which records every feature report; the keyboard's node
records every call made on it.

The fixture runs under umockdev-wrapper, so that its own look at /sys (the
uevent sender reads the device's files) goes to the emulated tree as well.
"""
import errno
import os
import struct
import threading
import time

import gi

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

from kx507_firmware import (COMMAND_REPORT_ID, DATA_REPORT_ID, Firmware,  # noqa: E402
                            scramble_report, unscramble_report)

VENDOR, PRODUCT, RELEASE = 0x04D9, 0xA09E, 0x0105
BUS_USB = 3

# ioctl numbers as <linux/hidraw.h> builds them: direction, size, type 'H', number.
_IOC_WRITE, _IOC_READ = 1, 2
HID_TYPE = ord("H")
NR_RDESCSIZE, NR_RDESC, NR_RAWINFO, NR_RAWNAME, NR_RAWPHYS, NR_SFEATURE, NR_GFEATURE = 1, 2, 3, 4, 5, 6, 7
HID_MAX_BUFFER_SIZE = 4096
HID_MAX_DESCRIPTOR_SIZE = 4096

# The mouse's first interface: the pointer collection (1, 2) without report
# ids, a 4-byte input report and the 64-byte data feature report.
DATA_INTERFACE = bytes([
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,        # Generic Desktop, Mouse, Application
    0x09, 0x01, 0xA1, 0x00,                    #   Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05,        #     buttons 1 to 5
    0x15, 0x00, 0x25, 0x01, 0x95, 0x05, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x03, 0x81, 0x03,        #     padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38,
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06,
    0xC0,
    0x06, 0x00, 0xFF, 0x09, 0x01,              #   vendor usage
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x96, 0x40, 0x00,
    0xB1, 0x02,                                #   Feature, 64 bytes
    0xC0,
])
# The second interface, numbering its reports: consumer control (id 2),
# system control (id 3), then the keyboard (1, 6) with its LEDs and the
# 7-byte command feature report under id 1.
COMMAND_INTERFACE = bytes([
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02,          # Consumer Control, id 2
    0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF, 0x03, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00,
    0xC0,
    0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x03,          # System Control, id 3
    0x19, 0x81, 0x29, 0x83, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02,
    0x75, 0x05, 0x95, 0x01, 0x81, 0x03,
    0xC0,
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01,          # Keyboard, id 1
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x03, 0x95, 0x03, 0x91, 0x02,  # three LEDs
    0x95, 0x05, 0x91, 0x03,
    0x05, 0x07, 0x19, 0x00, 0x29, 0x91, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x05, 0x81, 0x00,
    0x06, 0x01, 0xFF, 0x09, 0x20, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x95, 0x07,
    0xB1, 0x02,                                # Feature, 7 bytes after the id
    0xC0,
])
# A plain keyboard of another maker, without report ids.
KEYBOARD = bytes([
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x08, 0x81, 0x03,
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00,
    0xC0,
])

# Feature reports per interface: report id -> length with the id byte.
DATA_FEATURES = {DATA_REPORT_ID: 65}
COMMAND_FEATURES = {COMMAND_REPORT_ID: 8}

LAYOUTS = ("two-nodes", "one-node")
USB_ROOT = "/sys/devices/pci0000:00/0000:00:14.0/usb1"
HIDRAW_MAJOR = 241


class Fault:
    """What the next matching feature call does instead of its work."""

    def __init__(self, countdown, kind):
        self.countdown = countdown      # 1: the very next feature call
        self.kind = kind                # "EIO", "EPIPE", "short" or "vanish"


class Node:
    def __init__(self, name, hid_path, descriptor, features, interface):
        self.name = name
        self.hid_path = hid_path
        self.path = f"{hid_path}/hidraw/{name}"
        self.descriptor = descriptor
        self.features = features
        self.interface = interface
        self.handler = None


class EmulatedKernel:
    """The testbed with a keyboard and, unless unplugged, a KX-507."""

    def __init__(self, memory, layout="two-nodes", plugged=True):
        if layout not in LAYOUTS:
            raise ValueError(f"layout is one of {LAYOUTS}")
        self.layout = layout
        self.testbed = UMockdev.Testbed.new()
        self.firmware = Firmware(memory)
        self.lock = threading.Lock()
        self.wire = []                  # (seconds, node, "set"/"get", kind, plain, raw, result)
        self.keyboard_calls = []        # (node, request name)
        self.faults = []
        self.vanished = False
        self.vanishing = None
        self.started = time.monotonic()
        self.keyboard = Node("hidraw0", f"{USB_ROOT}/1-1/1-1:1.0/0003:046D:C31C.0001", KEYBOARD, {}, 0)
        self._add_usb_device("1-1", 0x046D, 0xC31C, 0x4920, "Keyboard", [0])
        self._add_node(self.keyboard, 0x046D, 0xC31C, "Keyboard")
        self.next_number = 1
        self.mouse_nodes = []
        if plugged:
            self.plug()

    # The tree -------------------------------------------------------------

    def _mouse_nodes(self):
        """The mouse's nodes for the next plug. Each plug takes new node and
        HID device numbers, as the kernel may (umockdev cannot bring a node
        name back once it has gone)."""
        base = f"{USB_ROOT}/1-2"
        number = self.next_number
        if self.layout == "one-node":
            self.next_number += 1
            return [Node(f"hidraw{number}", f"{base}/1-2:1.0/0003:04D9:A09E.{number + 1:04X}",
                         DATA_INTERFACE + COMMAND_INTERFACE, {**DATA_FEATURES, **COMMAND_FEATURES}, 0)]
        self.next_number += 2
        return [Node(f"hidraw{number}", f"{base}/1-2:1.0/0003:04D9:A09E.{number + 1:04X}", DATA_INTERFACE,
                     DATA_FEATURES, 0),
                Node(f"hidraw{number + 1}", f"{base}/1-2:1.1/0003:04D9:A09E.{number + 2:04X}", COMMAND_INTERFACE,
                     COMMAND_FEATURES, 1)]

    def _add(self, text):
        # One device per call, parents first: each call announces its device
        # with an "add" event, which must find the device complete.
        if not self.testbed.add_from_string(text):
            raise RuntimeError(f"umockdev refused:\n{text}")

    def _add_usb_device(self, port, vendor, product, release, name, interfaces):
        path = f"{USB_ROOT}/{port}"
        self._add(f"""P: {path[4:]}
E: SUBSYSTEM=usb
E: DEVTYPE=usb_device
E: PRODUCT={vendor:x}/{product:x}/{release:x}
E: TYPE=0/0/0
A: idVendor={vendor:04x}
A: idProduct={product:04x}
A: bcdDevice={release:04x}
A: product={name}
A: busnum=1
A: devnum={len(port) + 2}
""")
        for number in interfaces:
            self._add(f"""P: {path[4:]}/{port}:1.{number}
E: SUBSYSTEM=usb
E: DEVTYPE=usb_interface
E: INTERFACE=3/{1 if number == 0 else 0}/{2 if number == 0 else 0}
A: bInterfaceClass=03
A: bInterfaceNumber={number:02x}
""")

    def _add_node(self, node, vendor, product, name):
        hid_name = os.path.basename(node.hid_path)
        self._add(f"""P: {node.hid_path[4:]}
E: SUBSYSTEM=hid
E: DRIVER=hid-generic
E: HID_ID=0003:{vendor:08X}:{product:08X}
E: HID_NAME={name}
E: HID_PHYS=usb-0000:00:14.0-{hid_name[-1]}/input{node.interface}
E: MODALIAS=hid:b0003g0001v{vendor:08X}p{product:08X}
H: report_descriptor={node.descriptor.hex()}
""")
        minor = int(node.name[len("hidraw"):])
        # The firmware answers before the node is announced: whoever reacts to
        # the "add" event opens it at once.
        node.handler = UMockdev.IoctlBase()
        node.handler.connect("handle-ioctl", self._on_ioctl, node)
        self.testbed.attach_ioctl(f"/dev/{node.name}", node.handler)
        # The kernel's class device links to its HID device; umockdev does not
        # make that link by itself.
        self._add(f"""P: {node.path[4:]}
N: {node.name}
E: SUBSYSTEM=hidraw
E: DEVNAME=/dev/{node.name}
E: MAJOR={HIDRAW_MAJOR}
E: MINOR={minor}
A: dev={HIDRAW_MAJOR}:{minor}
L: device=../../../{hid_name}
""")

    # Plugging ---------------------------------------------------------------

    def plug(self):
        with self.lock:
            self.vanished = False
            self.mouse_nodes = self._mouse_nodes()
        self._add_usb_device("1-2", VENDOR, PRODUCT, RELEASE, "KX-507 Gaming Mouse",
                             sorted({n.interface for n in self.mouse_nodes}))
        for node in self.mouse_nodes:
            self._add_node(node, VENDOR, PRODUCT, "KX-507 Gaming Mouse")

    def unplug(self):
        """The mouse goes: its nodes leave /sys/class/hidraw before their
        "remove" events go out, so that whoever reacts to an event finds them
        gone, as after a real unplug."""
        with self.lock:
            self.vanished = True
            if not self.mouse_nodes:
                return
        sys_dir = self.testbed.get_sys_dir()
        for node in self.mouse_nodes:
            link = os.path.join(sys_dir, "class", "hidraw", node.name)
            if os.path.lexists(link):
                os.unlink(link)
        for node in self.mouse_nodes:
            self.testbed.uevent(node.path, "remove")
        for node in self.mouse_nodes:
            self.testbed.detach_ioctl(f"/dev/{node.name}")
            self.testbed.remove_device(node.path)
        # Children before parents, so that each leaves its bus's list.
        for path in sorted({n.hid_path for n in self.mouse_nodes}, reverse=True):
            self.testbed.remove_device(path)
        for number in sorted({n.interface for n in self.mouse_nodes}):
            self.testbed.remove_device(f"{USB_ROOT}/1-2/1-2:1.{number}")
        self.testbed.remove_device(f"{USB_ROOT}/1-2")
        with self.lock:
            self.mouse_nodes = []

    def _vanish_later(self):
        # A handler must not take the node away under its own call.
        self.vanishing = threading.Thread(target=self.unplug, daemon=True)
        self.vanishing.start()

    def settle(self):
        """Waits until a mouse that vanished mid-sequence has gone from the tree."""
        if self.vanishing:
            self.vanishing.join()
            self.vanishing = None

    # Faults -----------------------------------------------------------------

    def fail_feature_call(self, countdown, kind):
        """The countdown-th feature call from now (1: the next) fails: EIO or
        EPIPE as the USB stack reports them, a short answer, or the mouse
        vanishing at that moment."""
        with self.lock:
            self.faults.append(Fault(countdown, kind))

    def _take_fault(self):
        due = None
        for fault in self.faults:
            fault.countdown -= 1
            if fault.countdown == 0:
                due = fault
        self.faults = [f for f in self.faults if f.countdown > 0]
        return due

    # The environment of a program under test -----------------------------

    def environment(self, base=None, sanitizer_runtime=None):
        env = dict(os.environ if base is None else base)
        env["UMOCKDEV_DIR"] = self.testbed.get_root_dir()
        preload = ["libumockdev-preload.so.0"]
        if sanitizer_runtime:
            # The sanitizer's runtime must come first of all libraries.
            preload.insert(0, sanitizer_runtime)
        env["LD_PRELOAD"] = ":".join(preload)
        return env

    # The ioctls -------------------------------------------------------------

    def _on_ioctl(self, handler, client, node):
        request = client.get_request()
        nr, kind, size = request & 0xFF, (request >> 8) & 0xFF, (request >> 16) & 0x3FFF
        if node is self.keyboard:
            with self.lock:
                self.keyboard_calls.append(_request_name(request))
            return self._answer_identity(client, node, nr, kind, size, 0x046D, 0xC31C, "Keyboard")
        if kind != HID_TYPE:
            client.complete(-1, errno.ENOTTY)
            return True
        if nr in (NR_SFEATURE, NR_GFEATURE):
            return self._feature(client, node, nr == NR_SFEATURE, size)
        with self.lock:
            gone = self.vanished
        if gone:
            client.complete(-1, errno.ENODEV)
            return True
        return self._answer_identity(client, node, nr, kind, size, VENDOR, PRODUCT, "KX-507 Gaming Mouse")

    def _answer_identity(self, client, node, nr, kind, size, vendor, product, name):
        arg = client.get_arg()
        if kind != HID_TYPE:
            client.complete(-1, errno.ENOTTY)
        elif nr == NR_RAWINFO:
            arg.resolve(0, 8).update(0, struct.pack("<Ihh", BUS_USB, _s16(vendor), _s16(product)))
            client.complete(0, 0)
        elif nr == NR_RDESCSIZE:
            arg.resolve(0, 4).update(0, struct.pack("<i", len(node.descriptor)))
            client.complete(0, 0)
        elif nr == NR_RDESC:
            # struct hidraw_report_descriptor: the size asked for, then the bytes.
            # resolve() follows the argument's pointer, once, over the whole struct.
            report = arg.resolve(0, size)
            wanted = struct.unpack("<I", bytes(report.retrieve())[:4])[0]
            if wanted > HID_MAX_DESCRIPTOR_SIZE - 1:
                client.complete(-1, errno.EINVAL)
            else:
                count = min(wanted, len(node.descriptor))
                if count:
                    report.update(4, node.descriptor[:count])
                client.complete(0, 0)
        elif nr in (NR_RAWNAME, NR_RAWPHYS):
            text = (name if nr == NR_RAWNAME else f"usb-0000:00:14.0-2/input{node.interface}").encode() + b"\0"
            count = min(size, len(text))
            if count:
                arg.resolve(0, count).update(0, text[:count])
            client.complete(count, 0)
        elif nr in (NR_SFEATURE, NR_GFEATURE):
            # The keyboard has no feature reports: its firmware stalls the request.
            client.complete(-1, errno.EPIPE)
        else:
            client.complete(-1, errno.EINVAL)
        return True

    def _feature(self, client, node, setting, size):
        # As hidraw checks before the request reaches the device.
        if size < 2 or size > HID_MAX_BUFFER_SIZE:
            client.complete(-1, errno.EINVAL)
            return True
        buffer = client.get_arg().resolve(0, size)
        report = bytes(buffer.retrieve())[:size]
        with self.lock:
            if self.vanished:
                client.complete(-1, errno.ENODEV)
                return True
            fault = self._take_fault()
            if fault and fault.kind in ("EIO", "EPIPE", "vanish"):
                code = errno.ENODEV if fault.kind == "vanish" else getattr(errno, fault.kind)
                self._record(node, setting, report[0], report, report, f"-{errno.errorcode[code]}")
                if fault.kind == "vanish":
                    self.vanished = True
                    self._vanish_later()
                client.complete(-1, code)
                return True
            report_id = report[0]
            length = node.features.get(report_id)
            # A report the interface does not have, or of another length: the
            # mouse stalls the control request, and the USB stack says EPIPE.
            if length is None or (setting and size != length):
                self._record(node, setting, report_id, report, report, "-EPIPE")
                client.complete(-1, errno.EPIPE)
                return True
            if setting:
                plain = self._set(report_id, report)
                self._record(node, True, report_id, plain, report, str(size))
                client.complete(size, 0)
                return True
            plain, wire = self._get(report_id)
            count = min(size, length)
            if fault and fault.kind == "short":
                count = max(1, count // 2)
            buffer.update(0, wire[:count])
            self._record(node, False, report_id, plain[:count], wire[:count], str(count))
            client.complete(count, 0)
            return True

    def _set(self, report_id, report):
        if report_id == COMMAND_REPORT_ID:
            return self.firmware.set_command(report)
        return self.firmware.set_data(report)

    def _get(self, report_id):
        if report_id == COMMAND_REPORT_ID:
            return self.firmware.get_command()
        return self.firmware.get_data()

    def _record(self, node, setting, report_id, plain, raw, result):
        kind = "command" if report_id == COMMAND_REPORT_ID else "data"
        self.wire.append((time.monotonic() - self.started, node.name, "set" if setting else "get", kind,
                          bytes(plain), bytes(raw), result))

    # Reading the record -------------------------------------------------------

    def take_wire(self):
        with self.lock:
            taken, self.wire = self.wire, []
        return taken

    def memory(self):
        with self.lock:
            return bytes(self.firmware.memory)


def _s16(value):
    return value - 0x10000 if value >= 0x8000 else value


def _request_name(request):
    names = {NR_RDESCSIZE: "HIDIOCGRDESCSIZE", NR_RDESC: "HIDIOCGRDESC", NR_RAWINFO: "HIDIOCGRAWINFO",
             NR_RAWNAME: "HIDIOCGRAWNAME", NR_RAWPHYS: "HIDIOCGRAWPHYS", NR_SFEATURE: "HIDIOCSFEATURE",
             NR_GFEATURE: "HIDIOCGFEATURE"}
    if (request >> 8) & 0xFF != HID_TYPE:
        return f"ioctl {request:#x}"
    return names.get(request & 0xFF, f"ioctl {request:#x}")


def wire_lines(records):
    """The records as the demo's runner prints a transfer's reports."""
    lines = []
    for _, _, direction, kind, plain, _, result in records:
        if result.startswith("-"):
            lines.append(f"{direction} {kind}: failed {result[1:]}")
        else:
            lines.append(f"{direction} {kind}: {plain.hex(' ')}")
    return lines


def wire_table(records):
    """The records with their times and nodes, plain and as they crossed."""
    lines = []
    previous = None
    for seconds, node, direction, kind, plain, raw, result in records:
        gap = "" if previous is None else f"+{(seconds - previous) * 1000:5.0f} ms"
        previous = seconds
        lines.append(f"{gap:>10}  {node:8} {direction} {kind:7} -> {result:>7}  {plain.hex(' ')}")
        if raw != plain:
            lines.append(f"{'':10}  {'':8} {'on the wire':19}  {raw.hex(' ')}")
    return lines


__all__ = ["EmulatedKernel", "wire_lines", "wire_table", "scramble_report", "unscramble_report"]
