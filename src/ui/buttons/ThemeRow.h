#pragma once

#include "brand/Theme.h"

#include <QAbstractButton>

namespace brolga {

// One theme in the appearance pane: its three-colour swatch, name and blurb, and a check mark when it is
// the record's theme. A click anywhere on the row picks it.
class ThemeRow : public QAbstractButton {
    Q_OBJECT
public:
    explicit ThemeRow(const Theme &theme, QWidget *parent = nullptr);

    const Theme &theme() const { return theme_; }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    // White in the light appearance, a fixed navy in the dark, whatever the theme.
    QColor fill() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {200, sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Theme theme_;
    bool selected_ = false;
};

} // namespace brolga
