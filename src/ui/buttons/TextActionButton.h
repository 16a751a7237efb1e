#pragma once

#include <QAbstractButton>

#include <functional>

namespace brolga {

// A borderless text button in the accent colour ("Show", "Turn on").
class TextActionButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TextActionButton(const QString &title, std::function<void()> action = {}, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga
