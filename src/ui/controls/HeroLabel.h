#pragma once

#include "ui/controls/BrandLabel.h"

#include <optional>

namespace brolga {

// The caption over a hero figure, in letter-spaced capitals: the theme's accent, or green or red for a
// verdict.
class HeroLabel : public BrandLabel {
    Q_OBJECT
public:
    explicit HeroLabel(const QString &text, QWidget *parent = nullptr);

    void setCaption(const QString &text);
    // The caption as written, before it is set in capitals.
    QString caption() const { return caption_; }
    // Green for a good verdict, red for a bad one, none for the accent.
    void setPositive(std::optional<bool> positive);

private:
    std::optional<bool> positive_;
    QString caption_;
};

} // namespace brolga
