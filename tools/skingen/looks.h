// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

namespace skin {

// Checks of what the pictures look like where it matters to the program:
// each page marks its own tab, and every place where the program writes its
// labels in the skin's text colour is dark enough to read them.
void CheckLooks(const QHash<QString, QImage>& images, const QString& folder, QStringList& problems);

}  // namespace skin
