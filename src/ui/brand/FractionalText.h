#pragma once

#include "brand/BrandType.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace brolga {

// A run of brand text drawn at an exact, possibly fractional, pixel size. Qt sets fonts at whole
// pixels, so the text is laid out at the nearest whole size and the painter scales it onto the asked
// one: a 5.46 line in the lockup really is 5.46 high, on screen and on the exported card.
class FractionalText {
public:
    enum class Face { sans, serif };

    FractionalText(QString text, Face face, qreal size, FontWeight weight, qreal tracking = 0);

    // One line, unwrapped.
    qreal width() const;
    qreal height() const;
    qreal ascent() const;
    // The x-height, for centring a symbol on the first line.
    qreal xHeight() const;
    void draw(QPainter &painter, const QPointF &topLeft, const QColor &color) const;

    // Wrapped to `width`, with `lineSpacing` extra between lines.
    qreal heightForWidth(qreal width, qreal lineSpacing) const;
    void drawWrapped(QPainter &painter, const QRectF &rect, const QColor &color, qreal lineSpacing) const;

    const QFont &font() const { return font_; }
    // The asked size over the whole pixel size the text is laid out at.
    qreal scaleFactor() const { return factor; }
    // Font features (tabular figures, say) on top of the brand face; `adjust` must keep the pixel size.
    void adjustFont(QFont (*adjust)(QFont)) { font_ = adjust(font_); }

private:
    QString text;
    QFont font_;
    qreal factor = 1; // asked size / whole size the layout uses
};

} // namespace brolga
