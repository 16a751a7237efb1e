#include "ui/controls/BrandDateField.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/Format.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/BrandCalendar.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/NumericField.h"
#include "ui/controls/SymbolIcon.h"
#include "ui/controls/TabularDigits.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include <tuple>

namespace brolga {

BrandDateField::BrandDateField(const QString &label, Getter get, Setter set, QWidget *parent)
    : QWidget(parent), get_(std::move(get)), set_(std::move(set))
{
    std::tie(label_, row_) = NumericField::frame(this, label);
    date_ =
        new BrandLabel(QString(), tabularDigits(BrandType::sans(12, FontWeight::medium)), &Brand::textPrimary, this);
    date_->setAttribute(Qt::WA_TransparentForMouseEvents);
    row_->addWidget(date_);
    row_->addStretch(1);
    auto *icon = new SymbolIcon(QStringLiteral("calendar"), 11, &Brand::textSecondary, this);
    icon->setAttribute(Qt::WA_TransparentForMouseEvents);
    row_->addWidget(icon);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(label);

    refresh();
}

QCalendarWidget *BrandDateField::calendar()
{
    // Built on first use: a month calendar costs more to make than the rest of the screen around it, and
    // most fields are never opened.
    if (calendar_)
        return calendar_;
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("datePopup"));
    auto *inside = new QVBoxLayout(popup_);
    inside->setContentsMargins(10, 10, 10, 10);
    calendar_ = new BrandCalendar(popup_);
    inside->addWidget(calendar_);
    popup_->setFixedWidth(popupWidth);
    popup_->installEventFilter(this);
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
        if (syncing_)
            return;
        const QDate picked = calendar_->selectedDate();
        if (picked.isValid() && picked != get_()) {
            set_(picked);
            Q_EMIT edited(picked);
        }
        refresh();
    });
    // Enter (or a double click) on a day is the keyboard's way of saying "done".
    connect(calendar_, &QCalendarWidget::activated, popup_, &QWidget::close);
    syncing_ = true;
    calendar_->setSelectedDate(get_());
    syncing_ = false;
    return calendar_;
}

void BrandDateField::refresh()
{
    const QDate date = get_();
    date_->setText(Format::stamp(date));
    if (calendar_ && calendar_->selectedDate() != date) {
        syncing_ = true;
        calendar_->setSelectedDate(date);
        syncing_ = false;
    }
    update();
    AccessibleView::announce(this);
}

QString BrandDateField::text() const { return date_->text(); }

bool BrandDateField::isCalendarOpen() const { return popup_ && popup_->isVisible(); }

QRect BrandDateField::buttonRect() const { return row_->geometry(); }

void BrandDateField::openCalendar()
{
    calendar();
    refresh();
    // The pop-up's surface and outline in the current theme and appearance.
    calendar_->setBrandPalette(palette());
    popup_->setStyleSheet(QStringLiteral("QFrame#datePopup { background-color: %1; border: 1px solid %2; }")
                              .arg(Brand::field(palette()).name(), Brand::hairline(palette()).name()));
    calendar_->setCurrentPage(get_().year(), get_().month());
    popup_->adjustSize();
    const QRect button = buttonRect();
    const QSize size = popup_->sizeHint().expandedTo(QSize(popupWidth, 0));
    QPoint at = mapToGlobal(QPoint(button.center().x() - size.width() / 2, button.bottom() + 4));
    // Keep it on the screen: above the button when there is no room below.
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + size.height() > area.bottom())
            at.setY(mapToGlobal(button.topLeft()).y() - 4 - size.height());
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    }
    popup_->move(at);
    popup_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
    update();
}

bool BrandDateField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == popup_ && (event->type() == QEvent::Hide || event->type() == QEvent::Show))
        update();
    return QWidget::eventFilter(watched, event);
}

// Open, or reached with the keyboard: the accent outline shows where the keys go.
void BrandDateField::paintEvent(QPaintEvent *)
{
    NumericField::paintRow(this, buttonRect(), isCalendarOpen() || hasFocus());
}

void BrandDateField::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton && buttonRect().contains(event->position().toPoint());
    event->accept();
}

void BrandDateField::mouseReleaseEvent(QMouseEvent *event)
{
    if (pressed_ && buttonRect().contains(event->position().toPoint())) {
        // Focus comes back here when the pop-up closes, so Tab goes on from this field.
        setFocus(Qt::MouseFocusReason);
        openCalendar();
    }
    pressed_ = false;
    event->accept();
}

void BrandDateField::keyPressEvent(QKeyEvent *event)
{
    const bool opens = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter || event->key() == Qt::Key_F4 ||
                       (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier));
    if (opens && event->modifiers().testFlag(Qt::ControlModifier) == false) {
        openCalendar();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BrandDateField::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void BrandDateField::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void BrandDateField::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

} // namespace brolga
