#pragma once

#include <QFont>
#include <QtGlobal>

namespace brolga {

// Figures that line up column by column. Font features can only be set from Qt 6.6 on; before that the
// face's default (proportional) figures are used.
inline QFont tabularDigits(QFont font)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    font.setFeature(QFont::Tag("tnum"), 1);
#endif
    return font;
}

} // namespace brolga
