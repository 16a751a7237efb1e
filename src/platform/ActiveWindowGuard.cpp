#include "platform/ActiveWindowGuard.h"

#include <QApplication>

namespace brolga {

ActiveWindowGuard::ActiveWindowGuard() : window_(QApplication::activeWindow()) {}

ActiveWindowGuard::~ActiveWindowGuard()
{
    if (window_ && window_->isVisible() && QApplication::activeWindow() != window_)
        window_->activateWindow();
}

} // namespace brolga
