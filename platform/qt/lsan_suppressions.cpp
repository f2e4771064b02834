// SPDX-License-Identifier: GPL-3.0-or-later
// fontconfig keeps its font caches for the life of the process and never
// frees them; the leak checker would otherwise report them after every
// program that draws text (the test programs, the scripted runner).
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
