#pragma once

#include "core/CalculatorState.h"

#include <QString>

#include <optional>

namespace brolga::ClientSource {

struct Found {
    std::optional<CalculatorState> inputs; // the client's stored inputs over the record's defaults
    QString name;                          // as stored
    QString reportTabs;                    // the tabs last chosen for the client's report; empty when none
    QString error;                         // one line, set when there are no inputs
};

// The one client of the book at `bookPath` named `name` (ignoring case and surrounding spaces). The book is
// opened read-only. No such client, or more than one, is an error.
Found find(const QString &bookPath, const QString &name);

struct Listing {
    QString text;  // one line per client in the book (not those recently deleted): name (its control characters
                   // escaped), a tab, the last change as local "yyyy-MM-dd HH:mm"
    QString error; // one line, set when the book could not be read
};
Listing list(const QString &bookPath);

} // namespace brolga::ClientSource
