#pragma once

#include <QUrl>
#include <QWidget>

#include <functional>

namespace brolga {

class BrandCheckBox;
class CalculatorStore;

// The settings window's "Updates" section: turns the daily check on or off and links to the privacy note.
// Changing the box starts no check; the next launch does.
class UpdateSettings : public QWidget {
    Q_OBJECT
public:
    using OpenUrl = std::function<void(const QUrl &)>;

    // `openUrl` defaults to the desktop's browser.
    explicit UpdateSettings(CalculatorStore &store, QWidget *parent = nullptr, OpenUrl openUrl = {});

    BrandCheckBox *checkBox() const { return checkBox_; }

    QSize minimumSizeHint() const override;

private:
    BrandCheckBox *checkBox_;
};

} // namespace brolga
