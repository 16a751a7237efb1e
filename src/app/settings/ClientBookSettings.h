#pragma once

#include "core/ServerCheck.h"

#include <QWidget>

#include <array>

class QPushButton;
class QRadioButton;

namespace brolga {

class BrandLabel;
class Settings;
class SettingsField;

// The "Client book" section: the book on this computer (the default) or on the office's PostgreSQL server, with
// its server, port, database and user (kept in the preferences) and password (kept in the system's keychain), and
// "Test connection", which says in one sentence what stands in the way.
class ClientBookSettings : public QWidget {
    Q_OBJECT
  public:
    explicit ClientBookSettings(Settings &settings, QWidget *parent = nullptr);

    QRadioButton *localChoice() const { return local_; }
    QRadioButton *serverChoice() const { return server_; }
    // Server, Port, Database, User, Password.
    const std::array<SettingsField *, 5> &fields() const { return fields_; }
    QPushButton *testButton() const { return test_; }
    BrandLabel *statusLabel() const { return status_; }

    ServerCheck::Result testConnection();

  Q_SIGNALS:
    // The choice, the server or the password changed: the program opens the book now chosen.
    void bookChanged();

  private:
    void choose(bool onServer);
    void addressChanged();
    void savePassword();
    void showStatus(const QString &text, bool good);
    ServerAddress address() const;

    Settings &settings_;
    QRadioButton *local_;
    QRadioButton *server_;
    QWidget *serverBox_;
    std::array<SettingsField *, 5> fields_{};
    QPushButton *test_;
    BrandLabel *status_;
};

} // namespace brolga
