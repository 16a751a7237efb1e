#include "ui/buttons/BrandCheckBox.h"

#include "brand/BrandType.h"
#include "brand/TextMeasure.h"

#include <QFontMetricsF>
#include <QSignalBlocker>

#include <cmath>

namespace brolga {

BrandCheckBox::BrandCheckBox(const QString &text, Getter get, Setter set, QWidget *parent)
    : QCheckBox(text, parent), get_(std::move(get)), set_(std::move(set))
{
    setFont(BrandType::sans(11.5, FontWeight::regular));
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // `toggled`, not `clicked`: a screen reader's Toggle action flips the box without a click. refresh()
    // follows the value quietly, so only the user's changes get here.
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (set_ && (!get_ || get_() != on))
            set_(on);
    });
    refresh();
}

void BrandCheckBox::refresh()
{
    if (get_ && isChecked() != get_()) {
        const QSignalBlocker quiet(this);
        setChecked(get_());
    }
    update();
}

QSize BrandCheckBox::sizeHint() const
{
    const QFontMetricsF fm(font());
    const qreal width = boxSize + gap + TextMeasure::advance(font(), text());
    return {int(std::ceil(width)), int(std::ceil(std::max<qreal>(boxSize, fm.height())))};
}

} // namespace brolga
