#include "app/settings/SettingsSection.h"

#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "ui/controls/BrandLabel.h"

#include <QVBoxLayout>

namespace brolga {

SettingsSection::SettingsSection(const QString &title, const QString &note, QWidget *parent) : QWidget(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    QFont font = BrandType::sans(9.5, FontWeight::semibold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.71);
    column->addWidget(new BrandLabel(title.toUpper(), font, &Brand::textSecondary));
    if (!note.isEmpty()) {
        auto *label = new BrandLabel(note, BrandType::sans(10), &Brand::textSecondary);
        label->setWrapping(true);
        column->addWidget(label);
    }
}

} // namespace brolga
