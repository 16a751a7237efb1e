#include "app/FloatingWindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace brolga {

FloatingWindow::FloatingWindow(const QString &title, QWidget *parent) : QWidget(parent, Qt::Window)
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
    // Changing the flags re-creates the native window, which hides it; bring it back where it was.
    const bool wasVisible = isVisible();
    const bool wasMinimised = isMinimized();
    const QByteArray geometry = saveGeometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        restoreGeometry(geometry);
        if (wasMinimised)
            showMinimized();
        else
            show();
    }
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

} // namespace brolga
