#pragma once

#include <QRadioButton>

namespace brolga {

// One choice of a PillPicker: a radio button, to readers too, that BrandStyle draws as a pill. The picker
// lays its pills out on fractions of a pixel and a widget sits on whole ones, so the button covers its pill
// and knows where in it the pill lies.
class PillButton : public QRadioButton {
    Q_OBJECT
public:
    PillButton(const QString &label, QWidget *parent);

    // The label as shown ("P & I"); text() escapes its ampersand, so it is no keyboard mnemonic.
    const QString &label() const { return label_; }

    // Covers `pill` (in the parent's coordinates).
    void place(const QRectF &pill);
    // The pill in the button's own coordinates.
    QRectF face() const { return face_; }

    // How selected the pill looks, 0 to 1: the new choice fades in while the old one fades out.
    qreal shown() const { return shown_; }
    void setShown(qreal shown);

    // The label's face: semibold when picked.
    static QFont labelFont(bool picked);

protected:
    // Only the pill takes a click, not the fraction of a pixel around it.
    bool hitButton(const QPoint &pos) const override { return face_.contains(QPointF(pos)); }

private:
    QString label_;
    QRectF face_;
    qreal shown_ = 0;
};

} // namespace brolga
