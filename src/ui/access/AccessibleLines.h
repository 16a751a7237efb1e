#pragma once

#include "ui/access/AccessibleItems.h"

#include <functional>

namespace brolga {

// A list painted as one widget (the yearly table): each line a list item whose name is the whole line in
// words, "Year 1: principal $18,001, interest $38,830, balance $581,999".
class AccessibleLines : public AccessibleItems {
public:
    struct Source {
        std::function<QString()> name;
        std::function<int()> count;
        std::function<QString(int)> line;
        std::function<QRect(int)> rect;
    };

    AccessibleLines(QWidget *widget, Source source);

    int itemCount() const override { return source_.count(); }
    QAccessible::Role itemRole() const override { return QAccessible::ListItem; }
    QString itemText(int index, QAccessible::Text t) const override;
    QRect itemRect(int index) const override { return source_.rect(index); }
    QString text(QAccessible::Text t) const override;

private:
    Source source_;
};

} // namespace brolga
