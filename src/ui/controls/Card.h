#pragma once

#include <QWidget>

class QHBoxLayout;
class QVBoxLayout;

namespace brolga {

class BrandLabel;

// A titled group of inputs or results on a raised, outlined ground. The header (title in capitals and an
// optional accessory on the right) shows only when one of them is given. Content goes into body().
class Card : public QWidget {
    Q_OBJECT
public:
    explicit Card(const QString &title = QString(), QWidget *accessory = nullptr, QWidget *parent = nullptr);

    QVBoxLayout *body() const { return body_; }
    // Adds one widget to the body.
    void addContent(QWidget *content);

    QString title() const { return title_; }
    void setTitle(const QString &title);
    QWidget *accessory() const { return accessory_; }
    void setAccessory(QWidget *accessory);
    bool hasHeader() const;
    // Where the title line sits, in the card's coordinates.
    QRect headerGeometry() const;

    static constexpr qreal radius = 10;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void updateHeader();

    QString title_;
    QWidget *header_ = nullptr;
    QHBoxLayout *headerRow_ = nullptr;
    BrandLabel *titleLabel_ = nullptr;
    QWidget *accessory_ = nullptr;
    QVBoxLayout *body_ = nullptr;
};

} // namespace brolga
