#pragma once

#include <QWidget>

#include <functional>

namespace brolga {

// A 7-point dot in a chart colour, its label and, when given, its figure: "● Principal  $650,000".
class LegendDot : public QWidget {
    Q_OBJECT
public:
    using Colour = std::function<QColor(const QPalette &)>;

    LegendDot(Colour colour, const QString &label, const QString &value = QString(), QWidget *parent = nullptr);

    QString label() const { return label_; }
    QString value() const { return value_; }
    void setLabel(const QString &label);
    void setValue(const QString &value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr qreal dot = 7;
    static constexpr qreal spacing = 5;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Colour colour_;
    QString label_;
    QString value_;
};

} // namespace brolga
