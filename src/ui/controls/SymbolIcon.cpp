#include "ui/controls/SymbolIcon.h"

#include "ui/brand/Icons.h"

#include <QPainter>

namespace brolga {

SymbolIcon::SymbolIcon(const QString &name, int size, Colour colour, QWidget *parent)
    : QWidget(parent), name_(name), size_(size), colour_(std::move(colour))
{
    setFixedSize(size, size);
}

void SymbolIcon::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Icons::paint(p, QRectF(rect()), name_, colour_(palette()));
}

} // namespace brolga
