#include "ui/brand/FractionalText.h"

#include "brand/TextMeasure.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace brolga {

FractionalText::FractionalText(QString text, Face face, qreal size, FontWeight weight, qreal tracking)
    : text(std::move(text)),
      font_(face == Face::serif ? BrandType::serif(size, weight) : BrandType::sans(size, weight))
{
    const int whole = font_.pixelSize();
    factor = whole > 0 && size > 0 ? size / whole : 1.0;
    if (tracking != 0)
        font_.setLetterSpacing(QFont::AbsoluteSpacing, tracking / factor);
}

qreal FractionalText::width() const { return TextMeasure::advance(font_, text) * factor; }
qreal FractionalText::height() const { return QFontMetricsF(font_).height() * factor; }
qreal FractionalText::ascent() const { return QFontMetricsF(font_).ascent() * factor; }
qreal FractionalText::xHeight() const { return QFontMetricsF(font_).xHeight() * factor; }

void FractionalText::draw(QPainter &painter, const QPointF &topLeft, const QColor &color) const
{
    painter.save();
    painter.translate(topLeft);
    painter.scale(factor, factor);
    painter.setFont(font_);
    painter.setPen(color);
    painter.drawText(QPointF(0, QFontMetricsF(font_).ascent()), text);
    painter.restore();
}

qreal FractionalText::heightForWidth(qreal width, qreal lineSpacing) const
{
    return TextMeasure::wrappedHeight(font_, text, width / factor, lineSpacing / factor, QTextOption::WordWrap) * factor;
}

void FractionalText::drawWrapped(QPainter &painter, const QRectF &rect, const QColor &color, qreal lineSpacing) const
{
    QTextLayout layout(text, font_);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    TextMeasure::breakLines(layout, rect.width() / factor, lineSpacing / factor);
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(factor, factor);
    painter.setPen(color);
    layout.draw(&painter, QPointF(0, 0));
    painter.restore();
}

} // namespace brolga
