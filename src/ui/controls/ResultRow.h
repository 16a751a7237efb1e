#pragma once

#include <QWidget>

#include <functional>
#include <utility>

namespace brolga {

// A label and its figure on one line, sharing the first baseline: the label wraps on the left, the figure
// keeps one line on the right, optionally tinted and emphasised.
class ResultRow : public QWidget {
    Q_OBJECT
public:
    using Tint = std::function<QColor(const QPalette &)>;

    ResultRow(const QString &label, const QString &value, Tint tint = {}, bool emphasised = false,
              QWidget *parent = nullptr);

    QString label() const { return label_; }
    QString value() const { return value_; }
    // The figure's colour as set; empty for the default text colour.
    Tint tint() const { return tint_; }
    void setLabel(const QString &label);
    void setValue(const QString &value);
    void setTint(Tint tint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont valueFont() const;

    QString label_;
    QString value_;
    Tint tint_;
    bool emphasised_ = false;
    // The last width heightForWidth() was asked for and its answer: a layout pass asks many times.
    mutable std::pair<int, int> measured_{-1, 0};
};

} // namespace brolga
