#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace brolga {

// Our single-colour SVG symbols (":/icons/<name>.svg", drawn black on a 20-unit grid), tinted when drawn.
// Names follow the system symbols the screens ask for: "pin.fill", "chevron.down", "gearshape", ...
class Icons {
public:
    static QStringList symbols();
    static bool has(const QString &symbolName);

    // `size` is the square's side in logical pixels; the pixmap carries `devicePixelRatio`, which defaults
    // to the application's.
    static QPixmap pixmap(const QString &symbolName, const QColor &tint, qreal size, qreal devicePixelRatio = 0);
    // Renders afresh at whatever size and device pixel ratio the icon is asked for.
    static QIcon icon(const QString &symbolName, const QColor &tint, qreal size = 16);
    // Paints into `rect` at the painter's device pixel ratio.
    static void paint(QPainter &painter, const QRectF &rect, const QString &symbolName, const QColor &tint);

    // Any SVG resource rendered to fill `size` (logical pixels) and recoloured with `tint`, keeping its
    // alpha. Empty for a missing or unreadable resource. `pixelOffset` (device pixels, each under 1) moves
    // the drawing within the image, so that it can be lined up with a device's pixel grid.
    static QImage tinted(const QString &svgPath, const QSizeF &size, const QColor &tint, qreal devicePixelRatio,
                         const QPointF &pixelOffset = {});
};

} // namespace brolga
