#pragma once

#include "core/ScreenChoices.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace brolga {

class CalculatorStore;

// The client-facing card of one tab: navy header with the broker's identity and logo, the hero figure, a grid
// of inputs, result rows and the full disclaimer. Built for one render from the store as it is now, always in
// the light palette of the record's theme (set another theme's with setPalette); it is never shown in a window.
class ExportCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int cardWidth = 640;

    // `ink` colours the figures of the grid and the rows. The active tab's card.
    ExportCard(const CalculatorStore &store, const std::optional<QImage> &logo, const QColor &ink,
               QWidget *parent = nullptr);
    ExportCard(const CalculatorStore &store, CalculatorTab tab, const std::optional<QImage> &logo, const QColor &ink,
               QWidget *parent = nullptr);
    ~ExportCard() override;

    // A broker's logo stands alone; without one the card carries the product's lockup and studio name.
    bool showsHouseMark() const { return showsHouseMark_; }
    // Every text on the card, top to bottom.
    const QStringList &texts() const { return texts_; }
    // Each label with its figure, top to bottom: the hero figure, the grid's cells, then the rows.
    const std::vector<std::pair<QString, QString>> &figures() const { return figures_; }
    // The header's left column as drawn, line by line: the title, then the identity and contact lines wrapped.
    const QStringList &headerLines() const { return headerLines_; }

    // The card at `scale` device pixels per logical pixel on an opaque ground; null if the image cannot be had.
    QImage toImage(qreal scale = 2);

    QSize sizeHint() const override { return size(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<std::function<void(QPainter &, const QPalette &)>> pieces_;
    QStringList texts_;
    std::vector<std::pair<QString, QString>> figures_;
    QStringList headerLines_;
    bool showsHouseMark_ = true;
};

} // namespace brolga
