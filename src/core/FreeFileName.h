#pragma once

#include <QString>

namespace brolga {

// Exports never write over a file: a name already taken in its folder gets " (2)", " (3)", … before its
// extension ("Brolga-Repayment-2026-12-05-1430 (2).png"), as file managers number a copy.
class FreeFileName {
public:
    // `path` itself when nothing is there, not even a dangling link; else the first free numbered name beside it.
    static QString of(const QString &path);
};

} // namespace brolga
