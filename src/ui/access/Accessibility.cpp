#include "ui/access/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>

namespace brolga::Accessibility {

namespace {

QHash<QString, Maker> &makers()
{
    static QHash<QString, Maker> table;
    return table;
}

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    const auto found = makers().constFind(className);
    if (found == makers().constEnd() || !object || !object->isWidgetType())
        return nullptr;
    return (*found)(object);
}

// Return and Enter press the focused drawn button, as Space does; Qt's own buttons only take Space.
class ReturnPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
            return false;
        button->click();
        return true;
    }
};

void (*tapped)(QAccessibleEvent *) = nullptr;

} // namespace

void send(QAccessibleEvent *event)
{
    if (tapped)
        tapped(event);
    QAccessible::updateAccessibility(event);
}

void setTap(void (*tap)(QAccessibleEvent *))
{
    tapped = tap;
}

void add(const char *className, Maker maker)
{
    makers().insert(QString::fromLatin1(className), std::move(maker));
}

void installFactory()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&factory);
    if (qApp)
        qApp->installEventFilter(new ReturnPresses(qApp));
}

} // namespace brolga::Accessibility
