#pragma once

#include "brand/Theme.h"

#include <QRadioButton>

namespace brolga {

// One theme in the appearance pane: its three-colour swatch, name and blurb, and a check mark when it is
// the record's theme. A click anywhere on the row picks it; the rows are radio buttons, to readers too.
class ThemeRow : public QRadioButton {
    Q_OBJECT
public:
    explicit ThemeRow(const Theme &theme, QWidget *parent = nullptr);

    const Theme &theme() const { return theme_; }
    // White in the light appearance, a fixed navy in the dark, whatever the theme.
    QColor fill() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return {200, sizeHint().height()}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    Theme theme_;
};

} // namespace brolga
