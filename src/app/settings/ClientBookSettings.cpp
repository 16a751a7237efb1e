#include "app/settings/ClientBookSettings.h"

#include "app/settings/SettingsField.h"
#include "app/settings/SettingsSection.h"
#include "brand/Brand.h"
#include "brand/BrandType.h"
#include "core/Settings.h"
#include "platform/Keychain.h"
#include "ui/controls/BrandLabel.h"
#include "ui/controls/StandardControlPalette.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brolga {

ClientBookSettings::ClientBookSettings(Settings &settings, QWidget *parent) : QWidget(parent), settings_(settings)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new SettingsSection(tr("Client book"), tr("Where the clients you save are kept.")));

    local_ = new QRadioButton(tr("On this computer"));
    server_ = new QRadioButton(tr("On the office server"));
    auto *group = new QButtonGroup(this);
    for (QRadioButton *choice : {local_, server_}) {
        choice->setFont(BrandType::sans(11));
        StandardControlPalette::keep(choice);
        group->addButton(choice);
        column->addWidget(choice);
    }
    (settings_.clientBookOnServer() ? server_ : local_)->setChecked(true);
    connect(server_, &QRadioButton::toggled, this, &ClientBookSettings::choose);

    serverBox_ = new QWidget;
    auto *serverColumn = new QVBoxLayout(serverBox_);
    serverColumn->setContentsMargins(0, 3, 0, 0);
    serverColumn->setSpacing(9);
    // Each keystroke is kept; the book is opened again when a field is left.
    const auto text = [this](QString ServerAddress::*member) {
        return SettingsField::Getter([this, member] { return settings_.officeServer().*member; });
    };
    const auto setText = [this](QString ServerAddress::*member) {
        return SettingsField::Setter([this, member](const QString &value) {
            ServerAddress address = settings_.officeServer();
            address.*member = value.trimmed();
            settings_.setOfficeServer(address);
        });
    };
    fields_[0] = new SettingsField(tr("Server"), QStringLiteral("books.office.example"), text(&ServerAddress::host),
                                   setText(&ServerAddress::host));
    fields_[1] = new SettingsField(
        tr("Port"), QStringLiteral("5432"), [this] { return QString::number(settings_.officeServer().port); },
        [this](const QString &value) {
            ServerAddress address = settings_.officeServer();
            address.port = value.toInt();
            settings_.setOfficeServer(address);
        });
    fields_[1]->lineEdit()->setValidator(new QIntValidator(1, 65535, fields_[1]));
    fields_[2] = new SettingsField(tr("Database"), QStringLiteral("brolga"), text(&ServerAddress::database),
                                   setText(&ServerAddress::database));
    fields_[3] =
        new SettingsField(tr("User"), QStringLiteral("mia"), text(&ServerAddress::user), setText(&ServerAddress::user));
    // The password is read from the keychain when it is needed and written there when the field is left.
    fields_[4] = new SettingsField(
        tr("Password"), QString(), [] { return QString(); }, [](const QString &) {});
    fields_[4]->lineEdit()->setEchoMode(QLineEdit::Password);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->refresh();
        serverColumn->addWidget(fields_[i]);
        connect(fields_[i]->lineEdit(), &QLineEdit::editingFinished, this,
                i == 4 ? &ClientBookSettings::savePassword : &ClientBookSettings::addressChanged);
    }

    auto *testRow = new QHBoxLayout;
    test_ = new QPushButton(tr("Test connection"));
    test_->setAttribute(Qt::WA_MacSmallSize);
    test_->setFont(BrandType::sans(11));
    StandardControlPalette::keep(test_);
    connect(test_, &QPushButton::clicked, this, &ClientBookSettings::testConnection);
    testRow->addWidget(test_);
    testRow->addStretch(1);
    serverColumn->addLayout(testRow);
    status_ = new BrandLabel(QString(), BrandType::sans(10.5), &Brand::bad);
    status_->setWrapping(true);
    status_->hide();
    serverColumn->addWidget(status_);
    column->addWidget(serverBox_);
    serverBox_->setVisible(server_->isChecked());
}

ServerAddress ClientBookSettings::address() const
{
    ServerAddress address = settings_.officeServer();
    const QString typed = fields_[4]->lineEdit()->text();
    address.password = typed.isEmpty() ? Keychain::password(address.url()) : typed;
    return address;
}

void ClientBookSettings::choose(bool onServer)
{
    settings_.setClientBookOnServer(onServer);
    serverBox_->setVisible(onServer);
    Q_EMIT bookChanged();
}

void ClientBookSettings::addressChanged()
{
    // The password is kept under the address: one still in the field goes with the address as it now is, or the
    // book opened next would find none.
    if (fields_[4]->lineEdit()->text().isEmpty())
        Q_EMIT bookChanged();
    else
        savePassword();
}

void ClientBookSettings::savePassword()
{
    const QString typed = fields_[4]->lineEdit()->text();
    if (typed.isEmpty())
        return;
    if (Keychain::setPassword(settings_.officeServer().url(), typed))
        showStatus(QString(), true);
    else
        showStatus(tr("No keychain answered, so Brolga keeps the password only until it quits."), false);
    Q_EMIT bookChanged();
}

ServerCheck::Result ClientBookSettings::testConnection()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const ServerCheck::Result result = ServerCheck::run(address());
    QGuiApplication::restoreOverrideCursor();
    showStatus(result.sentence, result.outcome == ServerCheck::Outcome::ready);
    return result;
}

void ClientBookSettings::showStatus(const QString &text, bool good)
{
    status_->setColour(good ? BrandLabel::Colour(&Brand::good) : BrandLabel::Colour(&Brand::bad));
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
    // A reader hears the outcome with the button that asked for it.
    test_->setAccessibleDescription(text);
}

} // namespace brolga
