#pragma once

#include "ui/controls/BrandLabel.h"

namespace brolga {

// A figure shown as a plain label under a caption of its own: a reader reads its accessible name as what
// the figure is and its words as the value ("Weekly", "$908.02"), which Qt's labels cannot say.
class FigureLabel : public BrandLabel {
    Q_OBJECT
public:
    using BrandLabel::BrandLabel;
};

} // namespace brolga
