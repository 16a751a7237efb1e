#include "ui/access/AccessibleView.h"

#include "ui/access/Accessibility.h"

#include <QWidget>

#include <algorithm>

namespace brolga {

AccessibleView::AccessibleView(QWidget *widget, Description description)
    : QAccessibleWidget(widget, description.role), d_(std::move(description))
{
}

QString AccessibleView::value() const
{
    return d_.value ? d_.value() : QString();
}

QString AccessibleView::content() const
{
    const QString v = value();
    return v.isEmpty() ? text(QAccessible::Name) : v;
}

QString AccessibleView::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // A name given to the widget itself wins, as it does for Qt's own widgets.
        const QString own = widget()->accessibleName();
        return own.isEmpty() && d_.name ? d_.name() : own;
    }
    case QAccessible::Value: return value();
    default: return QAccessibleWidget::text(t);
    }
}

QAccessible::Role AccessibleView::role() const
{
    return d_.role;
}

QAccessible::State AccessibleView::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    if (d_.role == QAccessible::StaticText || d_.role == QAccessible::Chart)
        s.readOnly = true;
    if (d_.state)
        d_.state(s);
    return s;
}

void *AccessibleView::interface_cast(QAccessible::InterfaceType type)
{
    switch (type) {
    case QAccessible::TextInterface: return static_cast<QAccessibleTextInterface *>(this);
    case QAccessible::ValueInterface:
        // A plain label has no value to offer.
        return value().isEmpty() ? nullptr : static_cast<QAccessibleValueInterface *>(this);
    default: return QAccessibleWidget::interface_cast(type);
    }
}

QStringList AccessibleView::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (d_.press && widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void AccessibleView::doAction(const QString &actionName)
{
    if (actionName == pressAction() && d_.press && widget()->isEnabled())
        return d_.press();
    QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleView::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction() && d_.press)
        return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void AccessibleView::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
}

QString AccessibleView::text(int startOffset, int endOffset) const
{
    const QString all = content();
    const int from = std::clamp(startOffset, 0, int(all.size()));
    const int to = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, from, int(all.size()));
    return all.mid(from, to - from);
}

QString AccessibleView::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    Q_UNUSED(offset);
    return {};
}

void AccessibleView::announce(QWidget *widget)
{
    // As Qt's own labels do, the event goes out whether or not a reader listens; Qt drops it when none does.
    if (!widget->isVisible())
        return;
    auto *view = dynamic_cast<AccessibleView *>(QAccessible::queryAccessibleInterface(widget));
    if (!view)
        return;
    const QString now = view->content();
    if (view->announcedOnce_ && now == view->announced_)
        return;
    const QString before = std::exchange(view->announced_, now);
    view->announcedOnce_ = true;
    if (!view->value().isEmpty()) {
        QAccessibleValueChangeEvent changed(widget, view->value());
        Accessibility::send(&changed);
    } else {
        QAccessibleEvent renamed(widget, QAccessible::NameChanged);
        Accessibility::send(&renamed);
    }
    QAccessibleTextUpdateEvent text(widget, 0, before, now);
    Accessibility::send(&text);
}

void AccessibleView::alert(QWidget *widget)
{
    QAccessibleEvent shown(widget, QAccessible::ObjectShow);
    Accessibility::send(&shown);
    QAccessibleEvent alert(widget, QAccessible::Alert);
    Accessibility::send(&alert);
    QAccessibleEvent renamed(widget, QAccessible::NameChanged);
    Accessibility::send(&renamed);
}

QString AccessibleView::spoken(const QString &shown)
{
    static const std::pair<QString, QString> units[] = {
        {QStringLiteral("/mth"), QStringLiteral(" per month")},
        {QStringLiteral("/wk"), QStringLiteral(" per week")},
        {QStringLiteral("/ftn"), QStringLiteral(" per fortnight")},
    };
    QString out = shown;
    for (const auto &[unit, words] : units) {
        const qsizetype at = out.indexOf(unit);
        if (at < 0)
            continue;
        // "$3,934.77/mth" and "Extra /mth" read the same way: one space before the words.
        qsizetype start = at;
        while (start > 0 && out.at(start - 1) == QLatin1Char(' '))
            --start;
        out.replace(start, at - start + unit.size(), words);
    }
    return out;
}

} // namespace brolga
