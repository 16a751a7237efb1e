#include "ui/update/UpdateAvailableStrip.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/buttons/PlainButton.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/controls/BrandLabel.h"

#include <QHBoxLayout>
#include <QPainter>

namespace brolga {

UpdateAvailableStrip::UpdateAvailableStrip(const QString &version, std::function<void()> onView,
                                           std::function<void()> onDismiss, QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 6, 12, 6);
    row->setSpacing(6);

    // Holds the dot's place in the row; paintEvent draws it.
    dot_ = new QWidget;
    dot_->setFixedSize(dotSize, dotSize);
    row->addWidget(dot_, 0, Qt::AlignVCenter);

    message_ = new BrandLabel(QString(), BrandType::sans(10.5, FontWeight::medium),
                              &Brand::textSecondary);
    row->addWidget(message_, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(new TextActionButton(tr("View"), std::move(onView)), 0, Qt::AlignVCenter);

    // Our symbols are drawn with a margin on a 20-unit grid: a 12-pixel square gives the cross the size and
    // weight of a small semibold glyph.
    auto *close = PlainButton::symbol(QStringLiteral("xmark"), 12, &Brand::textSecondary,
                                      std::move(onDismiss));
    close->setToolTip(tr("Hide until the next version"));
    row->addWidget(close, 0, Qt::AlignVCenter);

    setVersion(version);
}

void UpdateAvailableStrip::setVersion(const QString &version)
{
    message_->setText(tr("Version %1 is available").arg(version));
    setAccessibleName(message_->text());
}

QString UpdateAvailableStrip::message() const { return message_->text(); }

void UpdateAvailableStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Brand::dynamic(palette(), 0xFFFFFF, Brand::theme(palette()).surfaceDark));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Brand::accent(palette()));
    p.drawEllipse(QRectF(dot_->geometry()));
}

} // namespace brolga
