#pragma once

// Shared by the shell's tests: preferences and files in a test location, emptied before each case.

#include "TestStore.h"

#include <QDir>

namespace apptest {

inline void isolate()
{
    teststore::isolateSettings();
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Brolga")).removeRecursively();
}

} // namespace apptest
