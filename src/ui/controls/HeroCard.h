#pragma once

#include <QWidget>

class QVBoxLayout;

namespace brolga {

// What fills a hero card: the theme's navy, or the fixed green or red of a verdict.
enum class HeroFill { navy, positive, negative };

// The dark card that carries a screen's headline figure, with a faint wing in its top-right corner.
// Content (HeroLabel, HeroValue, HeroStat rows, HeroNote) goes into body().
class HeroCard : public QWidget {
    Q_OBJECT
public:
    explicit HeroCard(HeroFill fill = HeroFill::navy, QWidget *parent = nullptr);

    static HeroFill verdict(bool positive) { return positive ? HeroFill::positive : HeroFill::negative; }

    QVBoxLayout *body() const { return body_; }
    void addContent(QWidget *content);
    HeroFill fill() const { return fill_; }
    void setFill(HeroFill fill);

    static constexpr qreal radius = 10;
    static constexpr int wingWidth = 96;
    static constexpr int wingInset = 10;
    static constexpr qreal wingOpacity = 0.08;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    HeroFill fill_;
    QVBoxLayout *body_ = nullptr;
    QWidget *wing_ = nullptr;
};

} // namespace brolga
