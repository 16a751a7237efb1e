#include "app/firstrun/CoachMarkView.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/WingMark.h"

#include <QPainter>
#include <QPainterPath>

namespace brolga {

CoachMarkView::CoachMarkView(WindowPlacement::Edge arrowEdge, qreal arrowInset, QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput |
                          Qt::WindowDoesNotAcceptFocus | Qt::BypassWindowManagerHint),
      edge_(arrowEdge), arrowInset_(arrowInset)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(WindowPlacement::bubbleFrameSize(arrowEdge).toSize());
}

QString CoachMarkView::title(WindowPlacement::Edge arrowEdge)
{
    switch (arrowEdge) {
    case WindowPlacement::Edge::top: return QStringLiteral("Brolga lives up here");
    case WindowPlacement::Edge::bottom: return QStringLiteral("Brolga lives down here");
    case WindowPlacement::Edge::left:
    case WindowPlacement::Edge::right: break;
    }
    return QStringLiteral("Brolga lives over here");
}

const QString &CoachMarkView::message()
{
    static const QString text = QStringLiteral("Click the wing to open it.\nRight-click for export, settings and quit.");
    return text;
}

void CoachMarkView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Theme &theme = Brand::theme(palette());

    // The window is just big enough for the bubble and the arrow, so the shadow is kept tight.
    const qreal d = arrowHeight;
    const qreal half = arrowWidth / 2;
    QRectF bubble;
    QPainterPath arrow;
    switch (edge_) {
    case WindowPlacement::Edge::top: {
        bubble = QRectF(0.5, d, width() - 1, height() - d - 3);
        const qreal apex = width() - arrowInset_;
        arrow.moveTo(apex, 0);
        arrow.lineTo(apex + half, d + 0.5);
        arrow.lineTo(apex - half, d + 0.5);
        break;
    }
    case WindowPlacement::Edge::bottom: {
        bubble = QRectF(0.5, 0.5, width() - 1, height() - d - 3);
        const qreal apex = width() - arrowInset_;
        arrow.moveTo(apex, height());
        arrow.lineTo(apex + half, bubble.bottom() - 0.5);
        arrow.lineTo(apex - half, bubble.bottom() - 0.5);
        break;
    }
    case WindowPlacement::Edge::left:
        bubble = QRectF(d, 0.5, width() - d - 0.5, height() - 3);
        arrow.moveTo(0, arrowInset_);
        arrow.lineTo(d + 0.5, arrowInset_ - half);
        arrow.lineTo(d + 0.5, arrowInset_ + half);
        break;
    case WindowPlacement::Edge::right:
        bubble = QRectF(0.5, 0.5, width() - d - 0.5, height() - 3);
        arrow.moveTo(width(), arrowInset_);
        arrow.lineTo(bubble.right() - 0.5, arrowInset_ - half);
        arrow.lineTo(bubble.right() - 0.5, arrowInset_ + half);
        break;
    }
    arrow.closeSubpath();
    QPainterPath path;
    path.addRoundedRect(bubble, radius, radius);

    for (int i = 3; i >= 1; --i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 22 / i));
        p.drawRoundedRect(bubble.adjusted(-i / 2.0, 1 + i / 2.0, i / 2.0, 1 + i), radius + i, radius + i);
    }

    p.setPen(Qt::NoPen);
    p.setBrush(Brand::navyField(palette(), bubble));
    p.drawPath(path);
    p.setBrush(Brand::rgb(theme.dark));
    p.drawPath(arrow);
    QColor outline = Brand::rgb(theme.accentOnDark);
    outline.setAlphaF(0.30);
    p.setPen(QPen(outline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(bubble.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const qreal left = bubble.left() + 15;
    const qreal top = bubble.top() + 13;
    const qreal wingWidth = 26;
    WingMark::paint(p, QRectF(left, top + 3, wingWidth, wingWidth * WingMark::aspect), Brand::rgb(theme.accentOnDark));

    const qreal textLeft = left + wingWidth + 12;
    const QFont titleFont = BrandType::sans(13, FontWeight::semibold);
    const QFont bodyFont = BrandType::sans(11.5);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF bodyMetrics(bodyFont);
    p.setFont(titleFont);
    p.setPen(Brand::rgb(theme.textPrimaryDark));
    p.drawText(QPointF(textLeft, top + titleMetrics.ascent()), titleText());
    p.setFont(bodyFont);
    p.setPen(QColor(255, 255, 255, int(0.66 * 255)));
    qreal y = top + titleMetrics.height() + 4 + bodyMetrics.ascent();
    for (const QString &line : message().split(QLatin1Char('\n'))) {
        p.drawText(QPointF(textLeft, y), line);
        y += bodyMetrics.lineSpacing();
    }
}

} // namespace brolga
