// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole program behind one call, so that the executables and the
// scripted runner start exactly the same code. The program reads no command
// line and no environment of its own; it returns the process's exit code.

int RunVantorProgram();
