#pragma once

#include <QWidget>

#include <functional>

namespace brolga {

class BrandLabel;

// Offers a newer version: "View" opens the download page, the cross hides this version for good.
class UpdateAvailableStrip : public QWidget {
    Q_OBJECT
public:
    UpdateAvailableStrip(const QString &version, std::function<void()> onView, std::function<void()> onDismiss,
                         QWidget *parent = nullptr);

    void setVersion(const QString &version);
    QString message() const;

    static constexpr int dotSize = 5;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *dot_;
    BrandLabel *message_;
};

} // namespace brolga
