#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace brolga {

// The keyboard focus ring every drawn control shares: a translucent band in the theme's accent hugging the
// inside of `box`, so it never paints outside the control.
namespace FocusRing {

constexpr qreal width = 2.5;
constexpr qreal opacity = 0.55;

// `accent` is the theme's (Brand::accent of the control's palette) unless the ground asks for another.
void paint(QPainter &painter, const QRectF &box, qreal radius, const QColor &accent);
// For a control that is only its text and has no room around it: a faint accent ground under the text with
// a hairline ring. Paint it before the text.
void paintUnderText(QPainter &painter, const QRectF &box, const QColor &accent);

} // namespace FocusRing

} // namespace brolga
