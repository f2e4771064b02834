// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The mouse's side of the report scrambling, written as the firmware does it:
// the seven bytes after `before` as one 56-bit number. Kept apart from the
// program's own byte-wise code so that tests compare two implementations.
void FirmwareEncodeGroup(std::uint8_t* before);
void FirmwareDecodeGroup(std::uint8_t* before);

// Every group of a report: one after the report id of an 8-byte command
// report; eight in a 65-byte data report, one after each eighth byte.
void FirmwareEncodeReport(std::uint8_t* report, std::size_t length);
void FirmwareDecodeReport(std::uint8_t* report, std::size_t length);
