#pragma once

#include "ui/controls/BrandLabel.h"

namespace brolga {

// Small explanatory text under a card's content, wrapped onto as many lines as it needs.
class FootNote : public BrandLabel {
    Q_OBJECT
public:
    explicit FootNote(const QString &text, QWidget *parent = nullptr);
};

} // namespace brolga
