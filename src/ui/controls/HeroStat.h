#pragma once

#include <QWidget>

namespace brolga {

class BrandLabel;

// A small labelled figure on a hero card, on a faint white tile.
class HeroStat : public QWidget {
    Q_OBJECT
public:
    HeroStat(const QString &label, const QString &value, QWidget *parent = nullptr);

    void setLabel(const QString &label);
    void setValue(const QString &value);
    QString label() const;
    QString value() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    BrandLabel *label_ = nullptr;
    BrandLabel *value_ = nullptr;
};

} // namespace brolga
