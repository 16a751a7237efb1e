#pragma once

#include <QRectF>
#include <QWidget>

class QVariantAnimation;

namespace brolga {

// The disclaimer footer under every calculator screen: a hairline, the one-line disclaimer as a button
// that opens the full text, and the maker's credit at the trailing edge.
class CreditFooter : public QWidget {
    Q_OBJECT

  public:
    explicit CreditFooter(QWidget *parent = nullptr);

    bool isExpanded() const { return expanded; }
    // Animated over 0.18 s, or at once when the user asked for reduced motion.
    void setExpanded(bool expanded);
    void toggle() { setExpanded(!expanded); }

    // 0 collapsed ... 1 expanded; in between while animating.
    qreal progress() const { return progress_; }
    bool isAnimating() const;

    // The expanded text, which says so when the loan has lender fees or a fixed portion entered.
    QString fullDisclaimer() const;
    void setLoanCostsEntered(bool entered);

    QString buttonToolTip() const;
    // The area that takes clicks, in widget coordinates.
    QRectF buttonRect() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void expandedChanged(bool expanded);

  protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

  private:
    struct Geometry;
    Geometry geometryFor(qreal width) const;
    void setProgress(qreal value);

    bool expanded = false;
    bool pressed = false;
    bool loanCostsEntered = false;
    qreal progress_ = 0;
    QVariantAnimation *animation;
};

} // namespace brolga
