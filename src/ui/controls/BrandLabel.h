#pragma once

#include <QFont>
#include <QWidget>

#include <functional>

namespace brolga {

// Text painted in a brand face and a brand colour looked up at paint time, so a theme or appearance
// change only needs a repaint. Either one line that shrinks to a minimum scale before it is elided, or
// word-wrapped lines with extra spacing between them.
class BrandLabel : public QWidget {
    Q_OBJECT
public:
    using Colour = std::function<QColor(const QPalette &)>;

    BrandLabel(const QString &text, const QFont &font, Colour colour, QWidget *parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString &text);
    void setColour(Colour colour);
    // One line only: the smallest scale (0 to 1) the text may shrink to before it is elided.
    void setMinimumScale(qreal scale);
    // Wrap onto as many lines as needed, with `lineSpacing` extra pixels between lines.
    void setWrapping(bool wrap, qreal lineSpacing = 0);
    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return alignment_; }

    // Distance from the top of the widget to the baseline of the first line.
    qreal firstBaseline() const;
    // The scale a single line is drawn at in the current width (1 when it fits).
    qreal currentScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wrap_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    qreal naturalWidth() const;
    void drawWrapped(QPainter &painter) const;

    QString text_;
    Colour colour_;
    qreal minimumScale_ = 1;
    bool wrap_ = false;
    qreal lineSpacing_ = 0;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

} // namespace brolga
