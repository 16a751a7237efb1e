#pragma once

#include <QAbstractButton>

namespace brolga {

// A bezel-less button outlined by a dashed hairline: a symbol over a line of text, both in the accent.
class AddItemButton : public QAbstractButton {
    Q_OBJECT
public:
    AddItemButton(const QString &symbol, const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString symbol_;
};

} // namespace brolga
