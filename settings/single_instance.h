// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name of the program's single-instance mutex. Whoever holds it owns the
// settings files and the mouse: the tray program keeps the settings in memory
// and writes them back on Apply, so nothing else may change them meanwhile.

inline constexpr char16_t kSingleInstanceMutex[] = u"RV880-618Mutex";
