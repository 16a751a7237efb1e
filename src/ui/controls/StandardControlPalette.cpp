#include "ui/controls/StandardControlPalette.h"

#include <QApplication>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

namespace brolga {

// Only windows and the application hear of a new system palette, and a control with every role set sees no
// change from its parent.
StandardControlPalette::StandardControlPalette(QWidget *control) : QObject(control), control_(control)
{
    setObjectName(QStringLiteral("systemLook"));
    apply(control);
    qApp->installEventFilter(this);
}

void StandardControlPalette::keep(QWidget *control)
{
    if (control && !control->findChild<QObject *>(QStringLiteral("systemLook"), Qt::FindDirectChildrenOnly))
        new StandardControlPalette(control);
}

bool StandardControlPalette::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        apply(control_);
    return QObject::eventFilter(watched, event);
}

void StandardControlPalette::apply(QWidget *control)
{
    const QPalette system = QApplication::palette(control);
    QPalette fixed;
    // Every role set explicitly, so none is taken from the themed parent.
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const auto g = QPalette::ColorGroup(group);
            const auto r = QPalette::ColorRole(role);
            fixed.setBrush(g, r, system.brush(g, r));
        }
    control->setPalette(fixed);
}

QScrollArea *StandardControlPalette::scrollArea(QWidget *parent)
{
    auto *scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->viewport()->setAutoFillBackground(false);
    keep(scroll->verticalScrollBar());
    keep(scroll->horizontalScrollBar());
    return scroll;
}

} // namespace brolga
