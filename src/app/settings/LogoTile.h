#pragma once

#include <QWidget>

namespace brolga {

// The navy rounded tile the broker's logo sits on in the settings window; lay the logo inside it.
class LogoTile : public QWidget {
    Q_OBJECT
public:
    explicit LogoTile(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga
