#pragma once

#include <QLinearGradient>
#include <QList>
#include <QVariant>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

namespace brolga {

// A segmented choice of rounded pills, in one row or cut into rows of `perRow`. Like the number field it
// reads and writes its selection through a getter and a setter, and only ever writes one of its options.
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

    // Read as a list of tabs rather than a group of radio buttons (the header's tab picker).
    bool isTabList() const { return tabList_; }
    void setTabList(bool tabList) { tabList_ = tabList; }

    QRectF pillRect(int index) const;
    // The selected pill's ground across `pill`: the navy field, lifted where the picker itself is dark so
    // the choice stands out from the others.
    static QLinearGradient selectionFill(const QPalette &palette, const QRectF &pill);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int animationMs = 120;

Q_SIGNALS:
    // The user picked the option at `index`.
    void selected(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int indexOf(const QVariant &value) const;
    int indexAt(const QPointF &point) const;
    // The option an arrow key moves to from the current one.
    int neighbour(int key) const;
    qreal pillHeight() const;

    QList<Option> options_;
    Getter get_;
    Setter set_;
    QList<QList<int>> rows_;
    int current_ = -1;
    int previous_ = -1;
    int pressed_ = -1;
    bool tabList_ = false;
    QVariantAnimation fade_;
};

} // namespace brolga
