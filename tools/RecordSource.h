#pragma once

#include "core/CalculatorState.h"

#include <QString>

#include <optional>

namespace brolga::RecordSource {

struct Loaded {
    std::optional<CalculatorState> record;
    QString error; // one line, set when there is no record
};

// A stored record from a file, or from standard input for "-". Missing or unreadable files and bytes that
// are not a JSON object are errors; single bad members fall back as they do in the app.
Loaded fromFile(const QString &path);
// The record Brolga saved for this user; the default record when nothing was saved yet.
Loaded fromSettings();

} // namespace brolga::RecordSource
