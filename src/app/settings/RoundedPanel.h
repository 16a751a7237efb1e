#pragma once

#include <QWidget>

namespace brolga {

// A rounded field-coloured ground for the settings window's boxes (text fields, the preview, the privacy
// note), optionally outlined in the hairline colour. Lay children out inside it.
class RoundedPanel : public QWidget {
    Q_OBJECT
public:
    explicit RoundedPanel(bool outlined = false, qreal radius = 6, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool outlined_;
    qreal radius_;
};

} // namespace brolga
