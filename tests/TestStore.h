#pragma once

// Keeps every test away from the user's settings: test mode on, the settings cleared.

#include <QSettings>
#include <QStandardPaths>

namespace teststore {

inline void isolateSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings raw(QStringLiteral("Saltbush"), QStringLiteral("Brolga"));
    raw.clear();
    raw.sync();
}

} // namespace teststore
