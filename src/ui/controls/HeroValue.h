#pragma once

#include <QWidget>

namespace brolga {

// The headline figure of a hero card, with an optional small suffix ("/mth") on the same baseline. The
// figure shrinks to 55 % before it is elided; the suffix keeps its size.
class HeroValue : public QWidget {
    Q_OBJECT
public:
    explicit HeroValue(const QString &text, const QString &suffix = QString(), QWidget *parent = nullptr);

    QString text() const { return text_; }
    QString suffix() const { return suffix_; }
    void setText(const QString &text);
    void setSuffix(const QString &suffix);
    // The scale the figure is drawn at in the current width.
    qreal currentScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr qreal minimumScale = 0.55;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal suffixRoom() const;

    QString text_;
    QString suffix_;
};

} // namespace brolga
