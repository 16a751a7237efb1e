#pragma once

#include "ui/controls/BrandLabel.h"

#include <optional>

namespace brolga {

// The caption over a hero figure, in letter-spaced capitals: the theme's accent, or green or red for a
// verdict.
class HeroLabel : public BrandLabel {
    Q_OBJECT
public:
    explicit HeroLabel(const QString &text, std::optional<bool> positive = std::nullopt, QWidget *parent = nullptr);

    void setCaption(const QString &text);
    // The caption as written, before it is set in capitals.
    QString caption() const { return caption_; }
    void setPositive(std::optional<bool> positive);
    std::optional<bool> positive() const { return positive_; }

private:
    std::optional<bool> positive_;
    QString caption_;
};

} // namespace brolga
