#pragma once

// Shared by the shell's tests: preferences and files in a test location, emptied before each case.

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace apptest {

inline void isolate()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Saltbush"), QStringLiteral("Brolga")).clear();
    QSettings(QStringLiteral("Saltbush"), QStringLiteral("Brolga")).sync();
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brolga")).removeRecursively();
}

} // namespace apptest
