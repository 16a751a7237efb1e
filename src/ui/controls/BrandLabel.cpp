#include "ui/controls/BrandLabel.h"

#include "brand/TextMeasure.h"
#include "ui/access/AccessibleView.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace brolga {

BrandLabel::BrandLabel(const QString &text, const QFont &font, Colour colour, QWidget *parent)
    : QWidget(parent), text_(text), colour_(std::move(colour))
{
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void BrandLabel::setText(const QString &text)
{
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    update();
    AccessibleView::announce(this);
}

void BrandLabel::setColour(Colour colour)
{
    colour_ = std::move(colour);
    update();
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
    QSizePolicy policy(QSizePolicy::Preferred, wrap ? QSizePolicy::Preferred : QSizePolicy::Fixed);
    policy.setHeightForWidth(wrap);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

void BrandLabel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

qreal BrandLabel::naturalWidth() const { return TextMeasure::advance(font(), text_); }

qreal BrandLabel::firstBaseline() const
{
    const QFontMetricsF fm(font());
    if (wrap_)
        return fm.ascent();
    return (height() - fm.height()) / 2 + fm.ascent();
}

qreal BrandLabel::currentScale() const
{
    const qreal natural = naturalWidth();
    if (wrap_ || natural <= width() || natural <= 0)
        return 1;
    return std::max(minimumScale_, width() / natural);
}

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
    return int(std::ceil(TextMeasure::wrappedHeight(font(), text_, width, lineSpacing_)));
}

// Lays the text out in `width` and draws it: the same lines TextMeasure::wrappedHeight measured.
void BrandLabel::drawWrapped(QPainter &painter) const
{
    QTextLayout layout(text_, font());
    QTextOption option(alignment_ & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    TextMeasure::breakLines(layout, width(), lineSpacing_);
    layout.draw(&painter, QPointF(0, 0));
}

void BrandLabel::paintEvent(QPaintEvent *)
{
    if (text_.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(colour_ ? colour_(palette()) : palette().color(QPalette::WindowText));
    p.setFont(font());
    if (wrap_) {
        drawWrapped(p);
        return;
    }

    const QFontMetricsF fm(font());
    const qreal scale = currentScale();
    const qreal room = width() / scale;
    // Eliding shapes the text again; most labels fit and need no eliding.
    const QString shown = naturalWidth() <= room ? text_ : fm.elidedText(text_, Qt::ElideRight, room);
    const qreal drawn = TextMeasure::advance(font(), shown) * scale;

    qreal x = 0;
    if (alignment_ & Qt::AlignHCenter)
        x = (width() - drawn) / 2;
    else if (alignment_ & Qt::AlignRight)
        x = width() - drawn;
    // Shrink about the vertical centre so a shrunk line stays level with its neighbours.
    const qreal centreY = height() / 2.0;
    p.translate(x, centreY);
    p.scale(scale, scale);
    p.drawText(QPointF(0, fm.ascent() - fm.height() / 2), shown);
}

void BrandLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        update();
    }
    QWidget::changeEvent(event);
}

} // namespace brolga
