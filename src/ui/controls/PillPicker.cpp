#include "ui/controls/PillPicker.h"

#include "brand/Brand.h"
#include "brand/TextMeasure.h"
#include "ui/controls/FocusRing.h"
#include "ui/controls/PillButton.h"

#include <QApplication>
#include <QEasingCurve>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {
constexpr qreal padding = 2;
constexpr qreal spacing = 3;
constexpr qreal pillPadY = 5;
constexpr qreal pillPadX = PillPicker::labelPadding;
constexpr qreal minimumScale = PillPicker::minimumScale;

// WCAG 2 relative luminance of an opaque sRGB colour, and the contrast ratio of two.
qreal luminance(const QColor &c)
{
    const auto linear = [](qreal v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

qreal contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// On a dark field the navy is barely told from the unselected pills. The theme's navy, made lighter in its own
// hue just until it stands 3:1 from the field, and no further, so the white label keeps 4.5:1 on it.
QColor liftedNavy(const QPalette &palette)
{
    const QColor field = Brand::field(palette);
    float hue = 0, saturation = 0, lightness = 0;
    Brand::rgb(Brand::theme(palette).dark).getHslF(&hue, &saturation, &lightness);
    QColor lifted = QColor::fromHslF(hue, saturation, lightness);
    while (contrast(lifted, field) < 3.05 && lightness < 1) {
        lightness = std::min(lightness + 0.001f, 1.0f);
        lifted = QColor::fromHslF(hue, saturation, lightness);
    }
    return lifted;
}
} // namespace

PillPicker::PillPicker(QList<Option> options, Getter get, Setter set, std::optional<int> perRow, QWidget *parent)
    : QWidget(parent), options_(std::move(options)), get_(std::move(get)), set_(std::move(set)),
      rows_(rows(int(options_.size()), perRow))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // The platform's ease-out curve.
    QEasingCurve easeOut(QEasingCurve::BezierSpline);
    easeOut.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
    fade_.setEasingCurve(easeOut);
    fade_.setDuration(animationMs);
    fade_.setStartValue(0.0);
    fade_.setEndValue(1.0);
    connect(&fade_, &QVariantAnimation::valueChanged, this, [this](const QVariant &v) { fadeTo(v.toReal()); });
    for (int i = 0; i < options_.size(); ++i) {
        auto *pill = new PillButton(options_[i].label, this);
        // The picker's own keys: the arrows move the choice along rows and down columns, Home and End.
        pill->installEventFilter(this);
        group_.addButton(pill, i);
    }
    // `toggled`, not `clicked`: a reader's Toggle checks a pill without clicking it.
    connect(&group_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            select(id);
    });
    current_ = indexOf(get_());
    showChecked();
    fadeTo(1);
}

QList<QList<int>> PillPicker::rows(int count, std::optional<int> perRow)
{
    QList<QList<int>> result;
    const int size = (perRow && *perRow > 0 && *perRow < count) ? *perRow : std::max(count, 1);
    for (int i = 0; i < count; ++i) {
        if (i % size == 0)
            result.append(QList<int>());
        result.last().append(i);
    }
    return result;
}

int PillPicker::indexOf(const QVariant &value) const
{
    for (int i = 0; i < options_.size(); ++i)
        if (options_[i].value == value)
            return i;
    return -1;
}

void PillPicker::refresh()
{
    const int now = indexOf(get_());
    if (now != current_) {
        previous_ = std::exchange(current_, now);
        fade_.stop();
        if (isVisible())
            fade_.start();
        else
            fadeTo(1);
    }
    showChecked();
}

void PillPicker::select(int index)
{
    if (index < 0 || index >= options_.size())
        return;
    if (index != indexOf(get_()))
        set_(options_[index].value);
    refresh();
}

// Checks the picked pill, or none, and makes it the picker's one Tab stop (the first pill while none is); as
// Tab is all that focuses a pill, a click never leaves a ring.
void PillPicker::showChecked()
{
    const QSignalBlocker quiet(&group_);
    group_.setExclusive(false);
    for (QAbstractButton *pill : group_.buttons()) {
        const int i = group_.id(pill);
        pill->setChecked(i == current_);
        pill->setFocusPolicy(i == std::max(current_, 0) ? Qt::TabFocus : Qt::NoFocus);
    }
    group_.setExclusive(true);
}

void PillPicker::fadeTo(qreal progress)
{
    for (QAbstractButton *pill : group_.buttons()) {
        const int i = group_.id(pill);
        static_cast<PillButton *>(pill)->setShown(i == current_ ? progress : i == previous_ ? 1 - progress : 0);
    }
}

qreal PillPicker::pillHeight() const
{
    const qreal text = std::max(QFontMetricsF(PillButton::labelFont(true)).height(),
                                QFontMetricsF(PillButton::labelFont(false)).height());
    return std::ceil(text) + 2 * pillPadY;
}

QRectF PillPicker::pillRect(int index) const
{
    const qreal h = pillHeight();
    for (int r = 0; r < rows_.size(); ++r) {
        const int at = int(rows_[r].indexOf(index));
        if (at < 0)
            continue;
        const int n = int(rows_[r].size());
        const qreal w = (width() - 2 * padding - spacing * (n - 1)) / n;
        return {padding + at * (w + spacing), padding + r * (h + spacing), w, h};
    }
    return {};
}

QAbstractButton *PillPicker::pill(int index) const
{
    return group_.button(index);
}

QSize PillPicker::sizeHint() const
{
    const QFont font = PillButton::labelFont(true);
    qreal widest = 0;
    for (const auto &row : rows_) {
        qreal w = spacing * (row.size() - 1);
        for (int i : row)
            w += TextMeasure::advance(font, options_[i].label) + 2 * pillPadX + 8;
        widest = std::max(widest, w);
    }
    const int n = int(rows_.size());
    return {int(std::ceil(widest + 2 * padding)), int(std::ceil(2 * padding + n * pillHeight() + (n - 1) * spacing))};
}

QSize PillPicker::minimumSizeHint() const
{
    const QFont font = PillButton::labelFont(true);
    qreal widest = 0;
    for (const auto &row : rows_) {
        qreal w = spacing * (row.size() - 1);
        for (int i : row)
            w += std::min(TextMeasure::advance(font, options_[i].label) * minimumScale,
                          TextMeasure::advance(font, QStringLiteral("Mm…"))) +
                 2 * pillPadX;
        widest = std::max(widest, w);
    }
    return {int(std::ceil(widest + 2 * padding)), sizeHint().height()};
}

int PillPicker::neighbour(int key) const
{
    const int count = int(options_.size());
    const int from = current_ < 0 ? 0 : current_;
    int row = 0;
    while (row < rows_.size() && !rows_[row].contains(from))
        ++row;
    const bool grid = rows_.size() > 1;
    switch (key) {
    case Qt::Key_Left: return std::max(from - 1, 0);
    case Qt::Key_Right: return std::min(from + 1, count - 1);
    case Qt::Key_Home: return 0;
    case Qt::Key_End: return count - 1;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!grid)
            return key == Qt::Key_Up ? std::max(from - 1, 0) : std::min(from + 1, count - 1);
        // Rows of a grid: straight up or down, to the last option of a shorter row.
        const int target = key == Qt::Key_Up ? row - 1 : row + 1;
        if (target < 0 || target >= rows_.size())
            return from;
        const int column = int(rows_[row].indexOf(from));
        return rows_[target][std::min(column, int(rows_[target].size()) - 1)];
    }
    default: return -1;
    }
}

bool PillPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        update(); // the ring around the whole picker
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int next = neighbour(key->key());
    if (next < 0)
        return false;
    select(next);
    if (QAbstractButton *picked = pill(current_))
        picked->setFocus(Qt::TabFocusReason);
    return true;
}

QLinearGradient PillPicker::selectionFill(const QPalette &palette, const QRectF &pill)
{
    if (!Brand::isDark(palette))
        return Brand::navyField(palette, pill);
    QLinearGradient flat(pill.topLeft(), pill.bottomRight());
    flat.setColorAt(0, liftedNavy(palette));
    flat.setColorAt(1, liftedNavy(palette));
    return flat;
}

void PillPicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF box = QRectF(rect());
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::field(palette()));
    p.drawRoundedRect(box, 8, 8);
    p.setPen(QPen(Brand::hairline(palette()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
    // The pills draw themselves (BrandStyle); the ring goes round the picker whichever pill has the focus.
    if (const QWidget *focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
        FocusRing::paint(p, box, 8, Brand::accent(palette()));
}

void PillPicker::resizeEvent(QResizeEvent *event)
{
    for (QAbstractButton *pill : group_.buttons())
        static_cast<PillButton *>(pill)->place(pillRect(group_.id(pill)));
    QWidget::resizeEvent(event);
}

void PillPicker::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

} // namespace brolga
