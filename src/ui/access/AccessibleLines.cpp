#include "ui/access/AccessibleLines.h"

namespace brolga {

AccessibleLines::AccessibleLines(QWidget *widget, Source source)
    : AccessibleItems(widget, QAccessible::List), source_(std::move(source))
{
}

QString AccessibleLines::itemText(int index, QAccessible::Text t) const
{
    return t == QAccessible::Name ? source_.line(index) : QString();
}

QString AccessibleLines::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return source_.name();
    return AccessibleItems::text(t);
}

} // namespace brolga
