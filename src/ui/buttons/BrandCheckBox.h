#pragma once

#include <QCheckBox>

#include <functional>

namespace brolga {

// A check box in the brand's face (BrandStyle draws it). Like the number field it reads and writes its value
// through a getter and a setter, and follows the bound value on refresh().
class BrandCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using Getter = std::function<bool()>;
    using Setter = std::function<void(bool)>;

    BrandCheckBox(const QString &text, Getter get, Setter set, QWidget *parent = nullptr);

    void refresh();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    static constexpr int boxSize = 14;
    static constexpr int gap = 6;

private:
    Getter get_;
    Setter set_;
};

} // namespace brolga
