#include "tabs/TabFigures.h"

#include <QtGlobal>

namespace brolga {

const Figure *TabFigures::find(QStringView id) const
{
    if (hero.id == id)
        return &hero;
    for (const std::vector<Figure> *section : {&inputs, &results})
        for (const Figure &f : *section)
            if (f.id == id)
                return &f;
    return nullptr;
}

const Figure &TabFigures::at(QStringView id) const
{
    if (const Figure *f = find(id))
        return *f;
    Q_ASSERT_X(false, "TabFigures::at", qPrintable(id.toString()));
    static const Figure none;
    return none;
}

std::vector<Figure> TabFigures::on(const std::vector<Figure> &section, Surface surface)
{
    std::vector<Figure> out;
    for (const Figure &f : section)
        if (f.on(surface))
            out.push_back(f);
    return out;
}

} // namespace brolga
