#include "ui/update/UpdateSettings.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/CalculatorStore.h"
#include "ui/buttons/BrandCheckBox.h"
#include "ui/buttons/TextActionButton.h"
#include "ui/controls/BrandLabel.h"
#include "update/UpdateCheck.h"

#include <QDesktopServices>
#include <QVBoxLayout>

namespace brolga {

UpdateSettings::UpdateSettings(CalculatorStore &store, QWidget *parent, OpenUrl openUrl) : QWidget(parent)
{
    if (!openUrl)
        openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    // Section heading, styled like the settings window's other headings.
    QFont headingFont = BrandType::sans(9.5, FontWeight::semibold);
    headingFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.71);
    column->addWidget(new BrandLabel(tr("Updates").toUpper(), headingFont, &Brand::textSecondary));

    // Unanswered reads as off; either click gives a definite answer.
    checkBox_ = new BrandCheckBox(
        tr("Let me know when a new version is available"),
        [&store] { return store.state().updateChecksEnabled == true; },
        [&store](bool on) { store.edit([on](CalculatorState &s) { s.updateChecksEnabled = on; }); });
    checkBox_->setFont(BrandType::sans(11));
    connect(&store, &CalculatorStore::stateChanged, checkBox_, &BrandCheckBox::refresh);
    column->addWidget(checkBox_);

    auto *sentence = new BrandLabel(tr("The check sends only the versions of Brolga and of your system, never a "
                                       "figure, a client or your e-mail address."),
                                    BrandType::sans(10), &Brand::textSecondary);
    sentence->setWrapping(true);
    column->addWidget(sentence);

    column->addWidget(new TextActionButton(tr("Read the privacy note"),
                                           [openUrl = std::move(openUrl)] { openUrl(UpdateCheck::privacyPage()); }),
                      0, Qt::AlignLeft);
}

// The wrapped sentence would otherwise claim its height at the narrowest width as the minimum and
// stretch the window; its real height comes from heightForWidth at the width it is given.
QSize UpdateSettings::minimumSizeHint() const
{
    return {QWidget::minimumSizeHint().width(), heightForWidth(QWIDGETSIZE_MAX)};
}

} // namespace brolga
