#include "ui/controls/NumericField.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/access/AccessibleView.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/NumberText.h"
#include "ui/controls/Stepper.h"
#include "ui/controls/TabularDigits.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace brolga {

NumericField::NumericField(Config config, Getter get, Setter set, QWidget *parent)
    : QWidget(parent), config_(std::move(config)), get_(std::move(get)), set_(std::move(set))
{
    std::tie(label_, row_) = frame(this, config_.label);

    const QFont affixFont = BrandType::sans(11.5, FontWeight::regular);
    if (!config_.prefix.isEmpty())
        row_->addWidget(new BrandLabel(config_.prefix, affixFont, &Brand::textSecondary, this));

    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->setFont(tabularDigits(BrandType::sans(12.5, FontWeight::medium)));
    edit_->setTextMargins(0, 0, 0, 0);
    edit_->setContentsMargins(0, 0, 0, 0);
    edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
    edit_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Only the text's own height: the row's padding is the field's padding.
    edit_->setFixedHeight(int(std::ceil(QFontMetricsF(edit_->font()).height())));
    edit_->setMinimumWidth(24);
    edit_->setAccessibleName(AccessibleView::spoken(config_.label));
    edit_->installEventFilter(this);
    row_->addWidget(edit_, 1);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!typed_)
            before_ = get_();
        typed_ = true;
        textEdited(text);
    });
    connect(edit_, &QLineEdit::returnPressed, this, &NumericField::commit);

    if (!config_.suffix.isEmpty())
        row_->addWidget(new BrandLabel(config_.suffix, affixFont, &Brand::textSecondary, this));

    if (config_.step) {
        stepper_ = new Stepper(this);
        stepper_->setAccessibleName(edit_->accessibleName());
        row_->addWidget(stepper_);
    }

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFocusProxy(edit_);
    applyColours();
    showValue();
}

void NumericField::setLabel(const QString &label)
{
    config_.label = label;
    label_->setText(label);
    edit_->setAccessibleName(AccessibleView::spoken(label));
    if (stepper_)
        stepper_->setAccessibleName(edit_->accessibleName());
}

void NumericField::setDecimals(int decimals)
{
    if (config_.decimals == decimals)
        return;
    config_.decimals = decimals;
    if (!editing_ || !typed_)
        showValue();
}

void NumericField::setRange(double lower, double upper)
{
    config_.lower = lower;
    config_.upper = upper;
}

QString NumericField::text() const { return edit_->text(); }

void NumericField::refresh()
{
    applyColours();
    // A field that merely has the focus shows a change made elsewhere (a reset, a figure sent from another
    // tab); one being typed into keeps the user's text.
    if (!editing_ || !typed_)
        showValue();
    // The figure was changed elsewhere since: what was said of the typed text no longer applies.
    if (!typed_ && get_() != before_)
        showProblem(QString());
}

void NumericField::showValue()
{
    const QString formatted = config_.decimals <= 0 && isMoney() ? NumberText::formatMoney(get_())
                                                                 : NumberText::format(get_(), config_.decimals);
    if (edit_->text() != formatted)
        edit_->setText(formatted);
}

void NumericField::write(double value)
{
    // Writing an unchanged value would only wake every observer and schedule a save.
    if (value == get_())
        return;
    set_(value);
    Q_EMIT edited(value);
}

void NumericField::textEdited(const QString &text)
{
    const auto read = NumberText::read(text, isMoney());
    // A number begun ("." or "-.") is no problem yet; letters and the like are.
    const bool begun =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'.' || c == u'-' || c.isSpace(); });
    showProblem(read || begun ? QString() : text);
    if (read)
        write(NumberText::clamp(*read, config_.lower, config_.upper));
    else if (typed_)
        write(before_); // never a figure made up from part of the text
}

void NumericField::commit()
{
    // Only typed text is written back: leaving an untouched field must not round what is stored to the
    // figures shown, nor undo a change made elsewhere while it had the focus.
    if (typed_)
        textEdited(edit_->text());
    typed_ = false;
    showValue();
    Q_EMIT committed();
}

void NumericField::discardTyping()
{
    typed_ = false;
    showProblem(QString());
    showValue();
}

QString NumericField::problem() const { return problem_ && !problem_->isHidden() ? problem_->text() : QString(); }

void NumericField::showProblem(const QString &typed)
{
    if (typed.isEmpty() && !problem_)
        return;
    if (!problem_) {
        problem_ = new BrandLabel(QString(), BrandType::sans(10, FontWeight::medium), &Brand::bad, this);
        problem_->setWrapping(true);
        problem_->setObjectName(QStringLiteral("problem"));
        static_cast<QVBoxLayout *>(layout())->addWidget(problem_);
    }
    const bool was = !problem_->isHidden();
    if (typed.isEmpty()) {
        problem_->hide();
        edit_->setAccessibleDescription(QString());
        return;
    }
    const QString shown = typed.trimmed();
    problem_->setText(isMoney() ? tr("\u201c%1\u201d is not a figure \u2014 try 650000, 650k or 1.2m").arg(shown)
                                : tr("\u201c%1\u201d is not a number").arg(shown));
    edit_->setAccessibleDescription(problem_->text());
    problem_->show();
    // Said once as it appears, not at every further key.
    if (!was)
        AccessibleView::alert(problem_);
}

void NumericField::setValue(double value)
{
    write(NumberText::clamp(value, config_.lower, config_.upper));
    showValue();
}

void NumericField::stepBy(int steps)
{
    if (!config_.step)
        return;
    write(NumberText::clamp(get_() + steps * *config_.step, config_.lower, config_.upper));
    showValue();
}

bool NumericField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_) {
        if (event->type() == QEvent::FocusIn) {
            editing_ = true;
            // Back from a context menu the user is still typing.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
                typed_ = false;
            update();
        } else if (event->type() == QEvent::FocusOut) {
            // A context menu takes focus for a moment; the user is still editing.
            if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
                editing_ = false;
                commit();
            }
            update();
        } else if (event->type() == QEvent::KeyPress && config_.step) {
            // A field with a stepper steps with the arrow keys too, as a spin box does.
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                textEdited(edit_->text());
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

std::pair<BrandLabel *, QHBoxLayout *> NumericField::frame(QWidget *field, const QString &label)
{
    auto *column = new QVBoxLayout(field);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto *shown = new BrandLabel(label, BrandType::sans(10, FontWeight::medium), &Brand::textSecondary, field);
    shown->setMinimumScale(0.85);
    column->addWidget(shown);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(8, 6, 8, 6);
    row->setSpacing(4);
    column->addLayout(row);
    return {shown, row};
}

void NumericField::paintRow(QWidget *field, const QRect &row, bool active)
{
    QPainter p(field);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(row);
    const qreal line = active ? 1.5 : 1.0;
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::field(field->palette()));
    p.drawRoundedRect(box, 6, 6);
    // The outline sits inside the rounded rectangle.
    p.setPen(QPen(active ? Brand::accent(field->palette()) : Brand::hairline(field->palette()), line));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(line / 2, line / 2, -line / 2, -line / 2), 6 - line / 2, 6 - line / 2);
}

void NumericField::paintEvent(QPaintEvent *) { paintRow(this, row_->geometry(), editing_); }

void NumericField::mousePressEvent(QMouseEvent *event)
{
    // The padding of the input row belongs to the text field.
    if (row_->geometry().contains(event->position().toPoint())) {
        edit_->setFocus(Qt::MouseFocusReason);
        return;
    }
    QWidget::mousePressEvent(event);
}

void NumericField::showEvent(QShowEvent *event)
{
    refresh();
    QWidget::showEvent(event);
}

void NumericField::changeEvent(QEvent *event)
{
    if (ThemePalette::isPaletteEvent(event))
        applyColours();
    QWidget::changeEvent(event);
}

void NumericField::applyColours()
{
    QPalette pal = edit_->palette();
    QColor selection = Brand::accent(palette());
    selection.setAlphaF(0.3);
    const QColor ink = Brand::textPrimary(palette());
    if (pal.color(QPalette::Text) == ink && pal.color(QPalette::Highlight) == selection)
        return;
    pal.setColor(QPalette::Base, Qt::transparent);
    pal.setColor(QPalette::Text, ink);
    pal.setColor(QPalette::Highlight, selection);
    pal.setColor(QPalette::HighlightedText, ink);
    QColor placeholder = Brand::textSecondary(palette());
    pal.setColor(QPalette::PlaceholderText, placeholder);
    edit_->setPalette(pal);
}

} // namespace brolga
