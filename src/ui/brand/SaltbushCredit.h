#pragma once

#include "ui/brand/BrandLockup.h"

#include <QColor>
#include <QSizeF>
#include <QWidget>

namespace brolga {

// The maker's credit: a small wing and "A SALTBUSH PRODUCTION". `size` is the credit's text size.
class SaltbushCredit : public QWidget {
    Q_OBJECT

public:
    using Ground = BrandLockup::Ground;

    explicit SaltbushCredit(Ground ground = Ground::light, qreal size = 8.5, QWidget *parent = nullptr);

    Ground ground() const { return ground_; }
    void setGround(Ground ground);
    qreal creditSize() const { return size_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static QColor wingColour(const QPalette &palette, Ground ground);
    static QColor textColour(const QPalette &palette, Ground ground);

    static QSizeF naturalSize(qreal size);
    static void paint(QPainter &painter, const QPalette &palette, const QPointF &topLeft, Ground ground,
                      qreal size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Ground ground_;
    qreal size_;
};

} // namespace brolga
