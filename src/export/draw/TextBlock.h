#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QTextLayout;

namespace brolga {

// Text laid out once, in lines no wider than a width, and drawn as laid out. At most `maxLines` lines when
// given: the last one allowed takes the rest of the text, cut short with an ellipsis.
struct TextBlock {
    std::shared_ptr<QTextLayout> layout;
    QStringList lines; // as broken, spaces at the break kept
    qreal width = 0;   // the widest line
    qreal height = 0;

    // One line when `width` is 0. A font that prefers no shaping gets it back for a script that needs it.
    static TextBlock make(const QString &text, const QFont &font, qreal width = 0, int maxLines = 0, qreal leading = 0,
                          Qt::Alignment align = Qt::AlignLeft);

    void draw(QPainter &painter, const QPointF &at) const;
};

} // namespace brolga
