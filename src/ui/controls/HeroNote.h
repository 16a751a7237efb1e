#pragma once

#include "ui/controls/BrandLabel.h"

namespace brolga {

// A sentence under a hero figure, wrapped, in faint white.
class HeroNote : public BrandLabel {
    Q_OBJECT
public:
    explicit HeroNote(const QString &text, QWidget *parent = nullptr);
};

} // namespace brolga
