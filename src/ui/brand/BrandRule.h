#pragma once

#include <QWidget>

namespace brolga {

// A full-width hairline, one pixel high, in the appearance's hairline colour.
class BrandRule : public QWidget {
    Q_OBJECT

public:
    explicit BrandRule(QWidget *parent = nullptr);

    QSize sizeHint() const override { return {1, 1}; }
    QSize minimumSizeHint() const override { return {0, 1}; }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga
