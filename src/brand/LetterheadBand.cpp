#include "brand/LetterheadBand.h"

#include "brand/Brand.h"

#include <algorithm>
#include <cmath>

namespace brolga {

namespace {

QColor white(float alpha)
{
    QColor c(Qt::white);
    c.setAlphaF(alpha);
    return c;
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * share),
                            float(from.greenF() + (to.greenF() - from.greenF()) * share),
                            float(from.blueF() + (to.blueF() - from.blueF()) * share));
}

double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

QColor LetterheadBand::text(const QPalette &palette, Text which)
{
    const Theme &t = Brand::theme(palette);
    switch (which) {
    case Text::title: return Brand::rgb(t.textPrimaryDark);
    case Text::preparedFor: return white(0.85f);
    case Text::identity: return Brand::rgb(t.accentOnDark);
    case Text::contact: return white(0.6f);
    case Text::stamp: return white(0.55f);
    }
    return Qt::white;
}

double LetterheadBand::contrast(const QColor &fg, const QColor &bg)
{
    const double a = fg.alphaF();
    const QColor over =
        QColor::fromRgbF(float(fg.redF() * a + bg.redF() * (1 - a)), float(fg.greenF() * a + bg.greenF() * (1 - a)),
                         float(fg.blueF() * a + bg.blueF() * (1 - a)));
    const double one = luminance(over), other = luminance(bg);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

QColor LetterheadBand::darkEnd(const QPalette &palette)
{
    return Brand::rgb(Brand::theme(palette).dark);
}

QColor LetterheadBand::lightEnd(const QPalette &palette)
{
    const QColor lift = Brand::rgb(Brand::theme(palette).darkLift);
    // In twentieths toward the dark end: the house theme's lift already reads and stays as it is.
    for (int step = 0; step < 20; ++step) {
        const QColor end = step == 0 ? lift : mixed(lift, darkEnd(palette), step / 20.0);
        if (std::all_of(texts.begin(), texts.end(),
                        [&](Text t) { return contrast(text(palette, t), end) >= minContrast; }))
            return end;
    }
    return darkEnd(palette);
}

QLinearGradient LetterheadBand::field(const QPalette &palette, const QRectF &rect)
{
    QLinearGradient g(rect.topLeft(), rect.bottomRight());
    g.setColorAt(0, lightEnd(palette));
    g.setColorAt(1, darkEnd(palette));
    return g;
}

} // namespace brolga
