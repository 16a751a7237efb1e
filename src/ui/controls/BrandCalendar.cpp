#include "ui/controls/BrandCalendar.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/brand/Icons.h"
#include "ui/controls/TabularDigits.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextCharFormat>
#include <QToolButton>
#include <QTransform>

namespace brolga {

namespace {

// The navigation arrows: our chevron, turned to point left or right.
QIcon turnedChevron(qreal degrees, const QColor &tint)
{
    const QPixmap down = Icons::pixmap(QStringLiteral("chevron.down"), tint, 12);
    QPixmap turned = down.transformed(QTransform().rotate(degrees), Qt::SmoothTransformation);
    turned.setDevicePixelRatio(down.devicePixelRatio());
    return QIcon(turned);
}

QString css(const QColor &c)
{
    return c.name(QColor::HexArgb);
}

} // namespace

BrandCalendar::BrandCalendar(QWidget *parent) : QCalendarWidget(parent)
{
    // Australian English whatever the system says: English month names, weeks from Monday.
    setLocale(QLocale(QLocale::English, QLocale::Australia));
    setFirstDayOfWeek(Qt::Monday);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setGridVisible(false);
    applyBrand();
}

void BrandCalendar::applyBrand()
{
    const Theme &theme = Brand::theme(brand_);
    const QColor navy = Brand::rgb(theme.dark);
    const QColor onNavy = Brand::rgb(theme.textPrimaryDark);
    const QColor base = Brand::field(brand_);

    // Weekday names in small capitals-like semibold, narrow enough that "Wed" and "Sat" are never cut.
    QTextCharFormat header;
    header.setFont(BrandType::sans(9, FontWeight::semibold));
    header.setForeground(Brand::textSecondary(brand_));
    header.setBackground(base);
    setHeaderTextFormat(header);
    // Saturday and Sunday like any other day.
    QTextCharFormat day;
    day.setForeground(Brand::textPrimary(brand_));
    for (int weekday = Qt::Monday; weekday <= Qt::Sunday; ++weekday)
        setWeekdayTextFormat(Qt::DayOfWeek(weekday), day);

    setStyleSheet(QStringLiteral("QWidget#qt_calendar_navigationbar { background-color: %1; border-radius: 6px; }"
                                 "QToolButton { color: %2; background: transparent; border: none; border-radius: 4px;"
                                 " padding: 3px 6px; }"
                                 "QToolButton:hover, QToolButton:focus { background-color: rgba(255,255,255,36); }"
                                 "QToolButton::menu-indicator { image: none; width: 0px; }"
                                 "QSpinBox { color: %3; background-color: %4; border: 1px solid %5; border-radius: 4px;"
                                 " selection-background-color: %6; selection-color: %4; }"
                                 "QMenu { color: %3; background-color: %4; border: 1px solid %5; }"
                                 "QMenu::item:selected { background-color: %6; color: %4; }"
                                 "QAbstractItemView { background-color: %4; outline: 0; }")
                      .arg(css(navy), css(onNavy), css(Brand::textPrimary(brand_)), css(base),
                           css(Brand::hairline(brand_)), css(Brand::accent(brand_))));

    // Behind the month bar's rounded corners: the pop-up's surface, not the system's window colour.
    QPalette own = palette();
    own.setColor(QPalette::Window, base);
    setPalette(own);
    setAutoFillBackground(true);

    const QFont bar = BrandType::sans(12, FontWeight::semibold);
    for (auto *button : findChildren<QToolButton *>()) {
        button->setFont(bar);
        if (button->objectName() == QLatin1String("qt_calendar_prevmonth"))
            button->setIcon(turnedChevron(90, onNavy));
        else if (button->objectName() == QLatin1String("qt_calendar_nextmonth"))
            button->setIcon(turnedChevron(-90, onNavy));
    }
    if (auto *view = findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview"))) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::AlternateBase, base);
        palette.setColor(QPalette::Text, Brand::textPrimary(brand_));
        view->setPalette(palette);
    }
    update();
}

void BrandCalendar::setBrandPalette(const QPalette &palette)
{
    brand_ = palette;
    applyBrand();
}

void BrandCalendar::paintCell(QPainter *painter, const QRect &rect, QDate date) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(rect, Brand::field(brand_));

    const bool inMonth = date.month() == monthShown() && date.year() == yearShown();
    const bool picked = date == selectedDate();
    const bool allowed = date >= minimumDate() && date <= maximumDate();
    const QRectF tile = QRectF(rect).adjusted(2, 1.5, -2, -1.5);
    QColor text = Brand::textPrimary(brand_);
    if (picked) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(Brand::accent(brand_));
        painter->drawRoundedRect(tile, cellRadius, cellRadius);
        text = Brand::field(brand_);
    } else if (date == QDate::currentDate()) {
        painter->setPen(QPen(Brand::accent(brand_), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), cellRadius, cellRadius);
    }
    if (!picked && (!inMonth || !allowed))
        text = Brand::textSecondary(brand_);
    if (!picked && !inMonth)
        text.setAlphaF(0.6);
    painter->setPen(text);
    painter->setFont(tabularDigits(BrandType::sans(11, picked ? FontWeight::semibold : FontWeight::medium)));
    painter->drawText(rect, Qt::AlignCenter, QString::number(date.day()));
    painter->restore();
}

void BrandCalendar::showEvent(QShowEvent *event)
{
    applyBrand();
    QCalendarWidget::showEvent(event);
}

} // namespace brolga
