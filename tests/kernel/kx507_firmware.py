# SPDX-License-Identifier: GPL-3.0-or-later
"""The KX-507's firmware as the tests behind the emulated hidraw nodes see it.

A second model of the mouse, written from the protocol's description alone
and on purpose in another shape than the program's simulated mouse: the
scrambling works on 56-bit integers, the protocol is a small state machine
over the last command. Where the two models disagree with the program, one
of the three is wrong.
"""
import threading

SIGNATURE = bytes([0xAA, 0xCC, 0xEE, 0xDD])
COMMAND_REPORT_ID = 0x01
DATA_REPORT_ID = 0x00
COMMAND_LENGTH = 8          # with the report id
DATA_LENGTH = 65            # report id 0 and one 64-byte block
BLOCK_BYTES = 64
BLOCKS = 5
MEMORY_BYTES = 2 + BLOCKS * BLOCK_BYTES   # two header values, five blocks
READ_BIT = 0x80

_MASK = int.from_bytes(bytes([0x3D, 0x92, 0xE7, 0x14, 0xB6, 0x5A, 0xC1]), "big")
_BITS = 56
_ALL = (1 << _BITS) - 1


def _rotl(value, count):
    return ((value << count) | (value >> (_BITS - count))) & _ALL


def _rotr(value, count):
    return ((value >> count) | (value << (_BITS - count))) & _ALL


def encode_group(seven):
    """What goes over the wire for seven plain bytes."""
    value = int.from_bytes(bytes(seven), "big")
    return _rotr(_rotl(value, 2) ^ _MASK, 3).to_bytes(7, "big")


def decode_group(seven):
    value = int.from_bytes(bytes(seven), "big")
    return _rotr(_rotl(value, 3) ^ _MASK, 2).to_bytes(7, "big")


def _groups(report, transform):
    """Applies a group transform to a whole report: a command report is one
    group after its id; a data report is eight groups, each behind the first
    byte of an eight-byte run of its block."""
    out = bytearray(report)
    if len(out) == COMMAND_LENGTH:
        out[1:8] = transform(out[1:8])
    elif len(out) == DATA_LENGTH:
        for start in range(2, DATA_LENGTH, 8):
            out[start:start + 7] = transform(out[start:start + 7])
    return bytes(out)


def scramble_report(report):
    return _groups(report, encode_group)


def unscramble_report(report):
    return _groups(report, decode_group)


class Firmware:
    """The mouse's memory and its command/acknowledge protocol.

    Every command report is scrambled; the answer to a command is the command
    again with, for the header read, the two header values. A read command for
    block n makes the next data report fetched block n; a write command for
    block n makes the next data report sent land in block n. Reports that do
    not fit (a wrong signature, a data report nobody announced) change nothing.
    """

    def __init__(self, memory):
        if len(memory) != MEMORY_BYTES:
            raise ValueError(f"the mouse's memory is {MEMORY_BYTES} bytes, not {len(memory)}")
        self.memory = bytearray(memory)
        self.lock = threading.Lock()
        self._answer = bytes([COMMAND_REPORT_ID]) + bytes(7)
        self._pending_block = None      # (block, reading)

    def _block_range(self, block):
        start = 2 + (block - 1) * BLOCK_BYTES
        return slice(start, start + BLOCK_BYTES)

    def set_command(self, wire):
        plain = unscramble_report(wire)
        if plain[1:5] != SIGNATURE:
            self._answer = bytes([COMMAND_REPORT_ID]) + bytes(7)
            self._pending_block = None
            return plain
        command = plain[5]
        block = command & ~READ_BIT
        reading = bool(command & READ_BIT)
        values = bytes(2)
        if block == 0 and reading:
            values = bytes(self.memory[0:2])
        elif block == 0:
            self.memory[0:2] = plain[6:8]
        self._pending_block = (block, reading) if 1 <= block <= BLOCKS else None
        self._answer = bytes([COMMAND_REPORT_ID]) + SIGNATURE + bytes([command]) + values
        return plain

    def get_command(self):
        return self._answer, scramble_report(self._answer)

    def get_data(self):
        report = bytearray(DATA_LENGTH)
        if self._pending_block and self._pending_block[1]:
            report[1:] = self.memory[self._block_range(self._pending_block[0])]
        self._pending_block = None
        return bytes(report), scramble_report(bytes(report))

    def set_data(self, wire):
        plain = unscramble_report(wire)
        if self._pending_block and not self._pending_block[1]:
            self.memory[self._block_range(self._pending_block[0])] = plain[1:]
        self._pending_block = None
        return plain
