#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLinearGradient>
#include <QList>
#include <QVariant>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

namespace brolga {

// A segmented choice of rounded pills, in one row or cut into rows of `perRow`: radio buttons in one group,
// which BrandStyle draws as pills on the picker's field. Like the number field it reads and writes its
// selection through a getter and a setter, and only ever writes one of its options.
class PillPicker : public QWidget {
    Q_OBJECT
public:
    struct Option {
        QString label;
        QVariant value;
    };
    using Getter = std::function<QVariant()>;
    using Setter = std::function<void(const QVariant &)>;

    PillPicker(QList<Option> options, Getter get, Setter set, std::optional<int> perRow = std::nullopt,
               QWidget *parent = nullptr);

    // The option indices of each row: rows of `perRow` when it is above 0 and below the number of options
    // (the last row may be shorter), otherwise one row of all.
    static QList<QList<int>> rows(int count, std::optional<int> perRow);

    const QList<Option> &options() const { return options_; }
    // The option equal to the bound value, or -1 when none is.
    int selectedIndex() const { return current_; }
    void select(int index);
    // Follows the bound value, animating a change of selection.
    void refresh();

    QRectF pillRect(int index) const;
    QAbstractButton *pill(int index) const;
    // The selected pill's ground across `pill`: the navy field, lifted where the picker itself is dark so
    // the choice stands out from the others.
    static QLinearGradient selectionFill(const QPalette &palette, const QRectF &pill);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int animationMs = 120;
    // Room a pill keeps each side of its label, and how far a long label may shrink before it is cut short.
    static constexpr qreal labelPadding = 6;
    static constexpr qreal minimumScale = 0.75;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int indexOf(const QVariant &value) const;
    void showChecked();
    void fadeTo(qreal progress);
    // The option an arrow key moves to from the current one.
    int neighbour(int key) const;
    qreal pillHeight() const;

    QList<Option> options_;
    Getter get_;
    Setter set_;
    QList<QList<int>> rows_;
    QButtonGroup group_;
    int current_ = -1;
    int previous_ = -1;
    QVariantAnimation fade_;
};

} // namespace brolga
