#include "app/settings/SettingsTabBar.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/Icons.h"
#include "ui/access/AccessibleChoices.h"
#include "ui/controls/FocusRing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace brolga {

namespace {
struct Item {
    SettingsTab tab;
    const char *title;
    const char *symbol;
};
constexpr Item items[] = {
    {SettingsTab::identity, "Identity", "person.text.rectangle"},
    {SettingsTab::appearance, "Appearance", "paintpalette"},
};
constexpr int itemPadding = 9;
constexpr int symbolSize = 14;
constexpr int spacing = 3;
constexpr qreal lineHeight = 1.5;
QFont titleFont() { return BrandType::sans(10, FontWeight::medium); }
} // namespace

SettingsTabBar::SettingsTabBar(SettingsTab selected, QWidget *parent) : QWidget(parent), selected_(selected)
{
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Reached with Tab; the arrows move between the tabs.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(tr("Settings"));
}

QString SettingsTabBar::title(SettingsTab tab)
{
    for (const Item &item : items)
        if (item.tab == tab)
            return QString::fromLatin1(item.title);
    return {};
}

void SettingsTabBar::select(SettingsTab tab)
{
    if (tab == selected_)
        return;
    const SettingsTab before = std::exchange(selected_, tab);
    update();
    AccessibleChoices::announceSelection(this, static_cast<int>(before), static_cast<int>(tab));
    Q_EMIT tabSelected(tab);
}

qreal SettingsTabBar::lineOpacity() const { return Brand::theme(palette()).isHouseTheme ? 1.0 : 0.7; }

QSize SettingsTabBar::sizeHint() const
{
    const QFontMetrics fm(titleFont());
    return {200, topPadding + itemPadding + symbolSize + spacing + fm.height() + itemPadding + 2};
}

QRect SettingsTabBar::itemRect(SettingsTab tab) const
{
    const int count = int(std::size(items));
    const int index = static_cast<int>(tab);
    const int left = width() * index / count;
    const int right = width() * (index + 1) / count;
    return QRect(left, topPadding, right - left, height() - topPadding);
}

void SettingsTabBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF all = rect();
    p.fillRect(all, Brand::navyField(palette(), all));
    QColor line = Brand::rgb(Brand::theme(palette()).accentOnDark);
    line.setAlphaF(lineOpacity());
    p.fillRect(QRectF(0, height() - lineHeight, width(), lineHeight), line);

    const QFont font = titleFont();
    const QFontMetricsF fm(font);
    for (const Item &item : items) {
        const QRect r = itemRect(item.tab);
        const bool on = item.tab == selected_;
        const QColor colour =
            on ? Brand::rgb(Brand::theme(palette()).accentOnDark) : QColor(255, 255, 255, qRound(0.55 * 255));
        const qreal top = r.top() + itemPadding;
        Icons::paint(p, QRectF(r.center().x() - symbolSize / 2.0, top, symbolSize, symbolSize),
                     QString::fromLatin1(item.symbol), colour);
        p.setFont(font);
        p.setPen(colour);
        const QString title = QString::fromLatin1(item.title);
        p.drawText(QPointF(r.center().x() - fm.horizontalAdvance(title) / 2, top + symbolSize + spacing + fm.ascent()),
                   title);
    }
    // On the navy ground the ring takes the accent on dark, as the selected tab does.
    if (hasFocus())
        FocusRing::paint(p, QRectF(itemRect(selected_)).adjusted(4, 2, -4, -4), 6,
                         Brand::rgb(Brand::theme(palette()).accentOnDark));
}

void SettingsTabBar::keyPressEvent(QKeyEvent *event)
{
    const int count = int(std::size(items));
    const int at = static_cast<int>(selected_);
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: next = std::max(at - 1, 0); break;
    case Qt::Key_Right:
    case Qt::Key_Down: next = std::min(at + 1, count - 1); break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = count - 1; break;
    default: return QWidget::keyPressEvent(event);
    }
    select(static_cast<SettingsTab>(next));
    event->accept();
}

void SettingsTabBar::mouseReleaseEvent(QMouseEvent *event)
{
    for (const Item &item : items) {
        // The whole column of an item takes the click, title-bar padding included.
        QRect r = itemRect(item.tab);
        r.setTop(0);
        if (r.contains(event->position().toPoint())) {
            select(item.tab);
            return;
        }
    }
}

} // namespace brolga
