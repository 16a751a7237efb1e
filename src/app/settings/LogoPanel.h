#pragma once

#include <QWidget>

#include <functional>
#include <optional>

class QAbstractButton;
class QPushButton;
class QStackedLayout;

namespace brolga {

class BrandAssetStore;
class BrandLabel;
class CustomLogoMark;

// The logo controls of the appearance pane. With a logo: the logo on a navy tile, "Replace" and "Remove".
// Without: one dashed "Choose a PNG…" button. A failed import leaves the panel as it was and shows the
// store's sentence under it until the next prompt.
class LogoPanel : public QWidget {
    Q_OBJECT
public:
    explicit LogoPanel(BrandAssetStore &assets, QWidget *parent = nullptr);

    bool showsLogo() const;
    QAbstractButton *chooseButton() const { return choose_; }
    QPushButton *replaceButton() const { return replace_; }
    QPushButton *removeButton() const { return remove_; }
    BrandLabel *errorLabel() const { return error_; }

private:
    void prompt();
    void refresh();
    void setBusy(bool busy);
    void showError(const std::optional<QString> &error);

    BrandAssetStore &assets_;
    std::optional<QString> importError_;
    QStackedLayout *stack_;
    QWidget *withLogo_;
    CustomLogoMark *mark_;
    QAbstractButton *choose_;
    QPushButton *replace_;
    QPushButton *remove_;
    BrandLabel *error_;
};

} // namespace brolga
