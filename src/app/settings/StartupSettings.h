#pragma once

#include <QWidget>

namespace brolga {

class BrandCheckBox;
class BrandLabel;

// The appearance pane's "Start-up" section: "Open at login", off until the user turns it on. The answer
// lives with the desktop's own start-up list (LoginItem), so the box shows what the desktop will do, even
// after the user changed it there.
class StartupSettings : public QWidget {
    Q_OBJECT
  public:
    explicit StartupSettings(QWidget *parent = nullptr);

    BrandCheckBox *checkBox() const { return checkBox_; }
    BrandLabel *errorLabel() const { return error_; }

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void set(bool on);

    BrandCheckBox *checkBox_;
    BrandLabel *error_;
};

} // namespace brolga
