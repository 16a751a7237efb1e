#pragma once

#include <QFont>
#include <QLabel>

#include <functional>

namespace brolga {

// Plain text in a brand face and a brand colour worked out from the palette it inherits, so a theme or
// appearance change recolours it. Either one line that shrinks to a minimum scale before it is elided, or
// word-wrapped lines with extra spacing between them. Qt reads it as a label: its name is its words.
class BrandLabel : public QLabel {
    Q_OBJECT
public:
    using Colour = std::function<QColor(const QPalette &)>;

    BrandLabel(const QString &text, const QFont &font, Colour colour, QWidget *parent = nullptr);

    void setText(const QString &text);
    void setColour(Colour colour);
    // One line only: the smallest scale (0 to 1) the text may shrink to before it is elided.
    void setMinimumScale(qreal scale);
    // Wrap onto as many lines as needed, with `lineSpacing` extra pixels between lines.
    void setWrapping(bool wrap, qreal lineSpacing = 0);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wrap_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    qreal naturalWidth() const;
    void applyColour();
    void drawWrapped(QPainter &painter) const;
    void drawShrunk(QPainter &painter) const;

    Colour colour_;
    qreal minimumScale_ = 1;
    bool wrap_ = false;
    qreal lineSpacing_ = 0;
};

} // namespace brolga
