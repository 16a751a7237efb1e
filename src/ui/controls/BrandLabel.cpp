#include "ui/controls/BrandLabel.h"

#include "brand/TextMeasure.h"
#include "ui/access/AccessibleView.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace brolga {

BrandLabel::BrandLabel(const QString &text, const QFont &font, Colour colour, QWidget *parent)
    : QLabel(parent), colour_(std::move(colour))
{
    setTextFormat(Qt::PlainText);
    QLabel::setText(text);
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    applyColour();
}

void BrandLabel::setText(const QString &text)
{
    if (text == this->text())
        return;
    QLabel::setText(text);
    // Labels read as figures tell readers their new value; Qt's own labels say they were renamed.
    AccessibleView::announce(this);
}

void BrandLabel::setColour(Colour colour)
{
    colour_ = std::move(colour);
    applyColour();
}

// The colour is worked out from the palette the parent passes down: this label's own palette holds the
// colour it last set, which would keep a colour derived from it from ever changing.
void BrandLabel::applyColour()
{
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    const QColor ink = colour_(inherited);
    if (palette().color(QPalette::WindowText) == ink)
        return;
    // Only the text colour is the label's own; every other role still comes from the parent.
    QPalette own;
    own.setColor(QPalette::WindowText, ink);
    setPalette(own);
}

void BrandLabel::setMinimumScale(qreal scale)
{
    minimumScale_ = std::clamp(scale, 0.1, 1.0);
    updateGeometry();
    update();
}

void BrandLabel::setWrapping(bool wrap, qreal lineSpacing)
{
    wrap_ = wrap;
    lineSpacing_ = lineSpacing;
    setWordWrap(wrap);
    QSizePolicy policy(QSizePolicy::Preferred, wrap ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wrap);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

qreal BrandLabel::naturalWidth() const { return TextMeasure::advance(font(), text()); }

QSize BrandLabel::sizeHint() const
{
    const QFontMetricsF fm(font());
    if (wrap_) {
        const int width = std::min(260, int(std::ceil(naturalWidth())));
        return {width, heightForWidth(width)};
    }
    return {int(std::ceil(naturalWidth())), int(std::ceil(fm.height()))};
}

QSize BrandLabel::minimumSizeHint() const
{
    const QFontMetricsF fm(font());
    // Wrapped text gets its height from heightForWidth; a narrow minimum must not claim the height of a
    // narrow column.
    if (wrap_)
        return {int(std::ceil(TextMeasure::advance(font(), QStringLiteral("MMMMM")))), int(std::ceil(fm.height()))};
    // Room for the shrunk text is all we want; narrower still, it is elided.
    return {int(std::ceil(std::min(naturalWidth(), TextMeasure::advance(font(), QStringLiteral("M…"))))),
            int(std::ceil(fm.height()))};
}

int BrandLabel::heightForWidth(int width) const
{
    if (!wrap_)
        return QWidget::heightForWidth(width);
    return int(std::ceil(TextMeasure::wrappedHeight(font(), text(), width, lineSpacing_)));
}

// Lays the text out in `width` and draws it: the same lines TextMeasure::wrappedHeight measured.
void BrandLabel::drawWrapped(QPainter &painter) const
{
    QTextLayout layout(text(), font());
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    TextMeasure::breakLines(layout, width(), lineSpacing_);
    layout.draw(&painter, QPointF(0, 0));
}

// A line too long for the width: shrunk about the vertical centre, so it stays level with its neighbours,
// and elided once it may shrink no further.
void BrandLabel::drawShrunk(QPainter &painter) const
{
    const QFontMetricsF fm(font());
    const qreal scale = std::max(minimumScale_, width() / naturalWidth());
    const qreal room = width() / scale;
    const QString shown = naturalWidth() <= room ? text() : fm.elidedText(text(), Qt::ElideRight, room);
    const qreal drawn = TextMeasure::advance(font(), shown) * scale;

    qreal x = 0;
    if (alignment() & Qt::AlignHCenter)
        x = (width() - drawn) / 2;
    else if (alignment() & Qt::AlignRight)
        x = width() - drawn;
    painter.translate(x, height() / 2.0);
    painter.scale(scale, scale);
    painter.drawText(QPointF(0, fm.ascent() - fm.height() / 2), shown);
}

void BrandLabel::paintEvent(QPaintEvent *event)
{
    // QLabel can neither shrink a line nor break a word longer than the width, nor space its lines.
    if (text().isEmpty() || (!wrap_ && naturalWidth() <= width())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    if (wrap_)
        drawWrapped(p);
    else
        drawShrunk(p);
}

void BrandLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyColour();
    QLabel::changeEvent(event);
}

} // namespace brolga
