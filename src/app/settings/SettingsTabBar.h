#pragma once

#include "app/settings/SettingsTab.h"

#include <QWidget>

namespace brolga {

// The settings window's tab bar on the navy ground: one item per tab, symbol over title, sharing the width
// equally; a click anywhere in an item selects it.
class SettingsTabBar : public QWidget {
    Q_OBJECT
public:
    explicit SettingsTabBar(SettingsTab selected, QWidget *parent = nullptr);

    SettingsTab selected() const { return selected_; }
    void select(SettingsTab tab);
    QRect itemRect(SettingsTab tab) const;
    // "Identity", "Appearance".
    static QString title(SettingsTab tab);
    // The line along the bottom edge: the accent, fully opaque under the house theme only.
    qreal lineOpacity() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int topPadding = 22;

Q_SIGNALS:
    void tabSelected(SettingsTab tab);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    SettingsTab selected_;
};

} // namespace brolga
