#pragma once

#include <QFont>
#include <QString>
#include <QTextOption>

class QTextLayout;

namespace brolga {

// Measuring text means shaping it, and shaping is the dearest thing a layout pass does: Qt's layouts ask
// a widget for its size hints many times over while a window is laid out, and each answer used to shape
// the same string again. These measure once per font, text and width and remember the answer.
//
// Remembered answers depend only on what the key holds (font, text, width, wrapping), so nothing ever goes
// stale; the memory is bounded by starting afresh once it holds a few hundred answers. Each thread keeps
// its own, so a card drawn off the interface thread needs no lock.
namespace TextMeasure {

// The advance of `text` on one line, as QFontMetricsF::horizontalAdvance gives it.
qreal advance(const QFont &font, const QString &text);

// The height of `text` laid out in lines no wider than `width`, with `lineSpacing` added between lines.
qreal wrappedHeight(const QFont &font, const QString &text, qreal width, qreal lineSpacing,
                    QTextOption::WrapMode wrap = QTextOption::WrapAtWordBoundaryOrAnywhere);

// Breaks `layout` (its text option already set) into lines no wider than `width`, one under the other with
// `lineSpacing` between them, and returns their total height. What wrappedHeight measures is what a widget
// drawing `layout` after this shows.
qreal breakLines(QTextLayout &layout, qreal width, qreal lineSpacing);

// How many answers are remembered on this thread (for tests).
int remembered();

} // namespace TextMeasure

} // namespace brolga
