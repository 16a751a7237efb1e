#pragma once

#include <QWidget>

#include <functional>

namespace brolga {

// A small tinted symbol ("calendar", "chevron.down") beside a control, in a colour looked up at paint time.
class SymbolIcon : public QWidget {
    Q_OBJECT
public:
    using Colour = std::function<QColor(const QPalette &)>;

    SymbolIcon(const QString &name, int size, Colour colour, QWidget *parent = nullptr);

    QSize sizeHint() const override { return {size_, size_}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString name_;
    int size_;
    Colour colour_;
};

} // namespace brolga
