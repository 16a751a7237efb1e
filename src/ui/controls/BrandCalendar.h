#pragma once

#include <QCalendarWidget>

namespace brolga {

// The month calendar of the date fields' pop-up, in the brand: a navy month bar, weekday names whole,
// every day in the theme's text colour (no red weekends), the picked day on an accent tile and today
// ringed. Colours are looked up each time it is shown, so it follows the theme and light or dark.
class BrandCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit BrandCalendar(QWidget *parent = nullptr);

    // Fonts and colours from the current theme and appearance.
    void applyBrand();
    // The palette those colours come from: the opening field's. The calendar's own palette is its style
    // sheet's, and its pop-up is a window that takes none from the field.
    void setBrandPalette(const QPalette &palette);

    static constexpr qreal cellRadius = 6;

protected:
    void paintCell(QPainter *painter, const QRect &rect, QDate date) const override;
    void showEvent(QShowEvent *event) override;

private:
    QPalette brand_;
};

} // namespace brolga
