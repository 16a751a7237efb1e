#pragma once

#include <functional>

class QAccessibleEvent;
class QAccessibleInterface;
class QObject;
class QWidget;

namespace brolga {

// How Brolga's drawn widgets reach assistive technology. Qt describes its own widgets; ours paint
// themselves, so one factory gives each class an interface with its role, name, state and value.
namespace Accessibility {

using Maker = std::function<QAccessibleInterface *(QObject *)>;

// Describes every object of the class `className` ("brolga::ResultRow") and of its subclasses that have no
// maker of their own.
void add(const char *className, Maker maker);

// Sends `event` to the platform's reader bridge, and to the tap when one is set.
void send(QAccessibleEvent *event);
// Sees every event Brolga's own interfaces send, even where the platform has no reader bridge (the
// offscreen platform the tests run on); null to stop.
void setTap(void (*tap)(QAccessibleEvent *));

// Installs the factory that serves what add() registered, and lets Return press the focused button as Space
// does. Calling it again does nothing.
void installFactory();

} // namespace Accessibility

} // namespace brolga
