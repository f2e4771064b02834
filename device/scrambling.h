// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windef.h"

// The mouse's report scrambling: a reversible transform of the seven bytes
// that follow a given byte, seen as one 56-bit number (first byte most
// significant). The byte at `before` itself is never changed.
//
//   encoded = ROR3(ROL2(G) ^ M),   decoded = ROR2(ROL3(G) ^ M)
void EncodeGroup(BYTE* before);
void DecodeGroup(BYTE* before);

// A command report is one group after the report id; a data report is eight
// groups, one after each eighth byte of the block.
void EncodeCommandReport(BYTE* report);
void DecodeCommandReport(BYTE* report);
void EncodeDataReport(BYTE* report);
void DecodeDataReport(BYTE* report);
