#include "ui/brand/Icons.h"

#include "brand/BrandResources.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <memory>

namespace brolga {

namespace {

QString iconPath(const QString &name) { return QStringLiteral(":/icons/") + name + QStringLiteral(".svg"); }

// Parsed once per file; everything runs on the GUI thread.
QSvgRenderer *renderer(const QString &path)
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    auto it = renderers.find(path);
    if (it == renderers.end()) {
        BrandResources::ensureLoaded();
        std::shared_ptr<QSvgRenderer> r;
        if (QFile::exists(path))
            r = std::make_shared<QSvgRenderer>(path);
        it = renderers.insert(path, r && r->isValid() ? r : nullptr);
    }
    return it->get();
}

qreal appRatio()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? qApp->devicePixelRatio() : 1.0;
}

class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QString name, QColor tint) : name(std::move(name)), tint(std::move(tint)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        Icons::paint(*painter, rect, name, colourFor(mode));
    }

    // Asked in device pixels; QIcon sets the ratio on what it hands out. (scaledPixmap's size changed
    // meaning between Qt versions, so the default one, which lands here, is left alone.)
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        return Icons::pixmap(name, colourFor(mode), qMin(size.width(), size.height()), 1.0);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }

    QIconEngine *clone() const override { return new TintedIconEngine(name, tint); }
    QString key() const override { return QStringLiteral("brolga.tinted"); }
    bool isNull() override { return !Icons::has(name); }

private:
    QColor colourFor(QIcon::Mode mode) const
    {
        if (mode != QIcon::Disabled)
            return tint;
        QColor c = tint;
        c.setAlphaF(c.alphaF() * 0.4f);
        return c;
    }

    QString name;
    QColor tint;
};

} // namespace

QStringList Icons::symbols()
{
    BrandResources::ensureLoaded();
    QStringList names;
    const auto files = QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << file.chopped(4);
    return names;
}

bool Icons::has(const QString &symbolName) { return renderer(iconPath(symbolName)) != nullptr; }

QImage Icons::tinted(const QString &svgPath, const QSizeF &size, const QColor &tint, qreal devicePixelRatio,
                     const QPointF &pixelOffset)
{
    QSvgRenderer *svg = renderer(svgPath);
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize pixels(qCeil(size.width() * dpr + pixelOffset.x()), qCeil(size.height() * dpr + pixelOffset.y()));
    if (svg == nullptr || pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg->render(&p, QRectF(pixelOffset, QSizeF(size.width() * dpr, size.height() * dpr)));
    // Keep the shape's coverage, take the colour from the tint (its alpha included).
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(image.rect(), tint);
    p.end();
    image.setDevicePixelRatio(dpr);
    return image;
}

QPixmap Icons::pixmap(const QString &symbolName, const QColor &tint, qreal size, qreal devicePixelRatio)
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : appRatio();
    const QString key = QStringLiteral("brolga.icon/%1/%2/%3/%4")
                            .arg(symbolName)
                            .arg(tint.rgba(), 8, 16)
                            .arg(size)
                            .arg(dpr);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    const QImage image = tinted(iconPath(symbolName), QSizeF(size, size), tint, dpr);
    if (image.isNull())
        return {};
    pm = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pm);
    return pm;
}

QIcon Icons::icon(const QString &symbolName, const QColor &tint, qreal size)
{
    Q_UNUSED(size); // the engine renders at each size asked for
    return QIcon(new TintedIconEngine(symbolName, tint));
}

void Icons::paint(QPainter &painter, const QRectF &rect, const QString &symbolName, const QColor &tint)
{
    const qreal side = qMin(rect.width(), rect.height());
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : appRatio();
    // Scaled or rotated painters (the footer's turning chevron) still get a sharp pixmap.
    const QTransform &t = painter.transform();
    const qreal scale = std::max(std::hypot(t.m11(), t.m12()), std::hypot(t.m21(), t.m22()));
    const QPixmap pm = pixmap(symbolName, tint, side, dpr * (scale > 0 ? scale : 1.0));
    if (pm.isNull())
        return;
    const QRectF target(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.drawPixmap(target, pm, QRectF(pm.rect()));
}

} // namespace brolga
