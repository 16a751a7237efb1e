#include "platform/ActiveWindowGuard.h"

#include <QApplication>

namespace brolga {

ActiveWindowGuard::ActiveWindowGuard(QWidget *owner) : window_(QApplication::activeWindow())
{
    if (!window_ && owner)
        window_ = owner->window();
}

ActiveWindowGuard::~ActiveWindowGuard()
{
    if (window_ && window_->isVisible() && QApplication::activeWindow() != window_)
        window_->activateWindow();
}

} // namespace brolga
