#include "app/shell/FloatingWindow.h"

#include "platform/Platform.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace brolga {

namespace {
Qt::WindowFlags decorations(bool minimisable)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (minimisable)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}
} // namespace

FloatingWindow::FloatingWindow(const QString &title, bool minimisable, QWidget *parent)
    : QWidget(parent, decorations(minimisable))
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void FloatingWindow::setLevel(int level)
{
    const bool onTop = level > normalLevel;
    level_ = level;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const Qt::WindowFlags flags =
        onTop ? windowFlags() | Qt::WindowStaysOnTopHint : windowFlags() & ~Qt::WindowFlags(Qt::WindowStaysOnTopHint);
    // Not QWidget::setWindowFlags: it re-creates the native window (hidden, placed afresh, off the other
    // desktops), and before there is one it turns a content position into a frame position. The window
    // system can change the layer of the window we have; one not made yet takes the flags when it is.
    overrideWindowFlags(flags);
    if (QWindow *native = windowHandle())
        native->setFlags(flags);
}

void FloatingWindow::setDesktopHints(bool allDesktops, bool skipTaskbar)
{
    allDesktops_ = allDesktops;
    skipTaskbar_ = skipTaskbar;
    if (isVisible())
        Platform::setDesktopHints(this, allDesktops_, skipTaskbar_);
}

void FloatingWindow::setContent(QWidget *content)
{
    if (content_ == content)
        return;
    if (content_) {
        layout()->removeWidget(content_);
        content_->hide();
        content_->deleteLater();
    }
    content_ = content;
    if (content_) {
        content_->setParent(this);
        layout()->addWidget(content_);
    }
}

void FloatingWindow::closeEvent(QCloseEvent *event)
{
    if (hideOnClose_) {
        event->ignore();
        hide();
        Q_EMIT hiddenByClose();
        return;
    }
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void FloatingWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && (hideOnClose_ || closeOnEscape_)) {
        close();
        return event->accept();
    }
    QWidget::keyPressEvent(event);
}

void FloatingWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (isVisible())
        Q_EMIT frameChanged();
}

void FloatingWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        Q_EMIT frameChanged();
}

void FloatingWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Sent just before the native window is mapped, whether it is new or re-created.
    if (event->spontaneous() || !(allDesktops_ || skipTaskbar_))
        return;
    Platform::setDesktopHints(this, allDesktops_, skipTaskbar_);
    if (QWindow *native = windowHandle()) {
        hintsAfterExpose_ = true;
        native->installEventFilter(this);
    }
}

bool FloatingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && hintsAfterExpose_ && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        hintsAfterExpose_ = false;
        Platform::setDesktopHints(this, allDesktops_, skipTaskbar_);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace brolga
