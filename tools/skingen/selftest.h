// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace skin {

// Checks that the checker catches what it is there to catch: writes the skins
// into `workDir`, expects them to pass, then damages copies one way at a time
// and expects each damage to be reported. Returns the failures, empty when
// every case behaved.
QStringList SelfTest(const QString& workDir);

}  // namespace skin
