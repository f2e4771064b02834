// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// kx-507-ctl doctor: why the mouse is not found or may not be opened, and
// what the desktop offers the tray program, each finding in words with its
// fix. Exit status 0 when the mouse can be used, kExitMouseNotFound otherwise.

int RunDoctor();
