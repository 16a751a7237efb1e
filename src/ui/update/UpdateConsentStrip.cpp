#include "ui/update/UpdateConsentStrip.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "ui/buttons/PlainButton.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/SymbolIcon.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace brolga {

UpdateConsentStrip::UpdateConsentStrip(Answer onAnswer, QWidget *parent) : QWidget(parent)
{
    auto answer = [onAnswer = std::move(onAnswer)](bool turnOn) {
        if (onAnswer)
            onAnswer(turnOn);
    };

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(8);
    row->setAlignment(Qt::AlignTop);

    auto *icon = new SymbolIcon(QStringLiteral("arrow.triangle.2.circlepath"), 11, &Brand::accent);
    auto *iconBox = new QVBoxLayout;
    iconBox->setContentsMargins(0, 1, 0, 0); // sits a point low, level with the title's letters
    iconBox->addWidget(icon);
    iconBox->addStretch();
    row->addLayout(iconBox);

    auto *column = new QVBoxLayout;
    column->setSpacing(3);
    setAccessibleName(tr("Get told about new versions?"));
    column->addWidget(new BrandLabel(accessibleName(), BrandType::sans(11, FontWeight::semibold),
                                     &Brand::textPrimary));
    auto *sentence =
        new BrandLabel(tr("Brolga can let you know when a new version is available. The check sends only the "
                          "versions of Brolga and of your system, never anything you calculate."),
                       BrandType::sans(10), &Brand::textSecondary);
    sentence->setWrapping(true);
    column->addWidget(sentence);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 2, 0, 0);
    buttons->setSpacing(12);
    buttons->addWidget(new TextActionButton(tr("Turn on"), [answer] { answer(true); }));
    buttons->addWidget(new PlainButton(tr("No thanks"), BrandType::sans(10.5), &Brand::textSecondary,
                                       [answer] { answer(false); }));
    buttons->addStretch();
    column->addLayout(buttons);
    row->addLayout(column, 1);
}

UpdateConsentStrip::Answer UpdateConsentStrip::recordAnswer(CalculatorStore &store,
                                                            std::function<void()> startDelayedCheck)
{
    return [&store, startDelayedCheck = std::move(startDelayedCheck)](bool turnOn) {
        store.edit([turnOn](CalculatorState &s) { s.updateChecksEnabled = turnOn; });
        if (turnOn && startDelayedCheck)
            startDelayedCheck();
    };
}

void UpdateConsentStrip::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Brand::dynamic(palette(), 0xFFFFFF, Brand::theme(palette()).surfaceDark));
}

// The wrapped sentence would otherwise claim its height at the narrowest width as the minimum and
// stretch the window; its real height comes from heightForWidth at the width it is given.
QSize UpdateConsentStrip::minimumSizeHint() const
{
    return {QWidget::minimumSizeHint().width(), heightForWidth(QWIDGETSIZE_MAX)};
}

} // namespace brolga
