#include "core/FreeFileName.h"

#include <QFileInfo>

namespace brolga {

namespace {

// A dangling link takes a name as much as a file does: writing there would replace the link.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString FreeFileName::of(const QString &path)
{
    if (!taken(path))
        return path;
    // The number goes before the last dot of the name itself, never of a folder above it.
    const qsizetype slash = path.lastIndexOf(u'/');
    qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= slash + 1)
        dot = path.size();
    const QString stem = path.left(dot);
    const QString extension = path.mid(dot);
    for (int n = 2;; ++n)
        if (const QString candidate = stem + QStringLiteral(" (%1)").arg(n) + extension; !taken(candidate))
            return candidate;
}

} // namespace brolga
