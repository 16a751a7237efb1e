#include "app/shell/ClientsMenu.h"

#include "app/shell/Commands.h"
#include "app/clients/ClientSession.h"

#include <QLocale>
#include <QSet>

namespace brolga {

ClientsMenu::ClientsMenu(ClientSession &session, const Commands &commands, QWidget *parent)
    : QMenu(tr("Clients"), parent), session_(session), commands_(commands), open_(new QMenu(tr("Open"), this)),
      deleted_(new QMenu(tr("Recently deleted"), this))
{
    setObjectName(QStringLiteral("clientsMenu"));
    open_->setObjectName(QStringLiteral("openClientMenu"));
    deleted_->setObjectName(QStringLiteral("deletedClientsMenu"));
    connect(this, &QMenu::aboutToShow, this, &ClientsMenu::rebuild);
    rebuild();
}

QString ClientsMenu::itemText(const QString &name, const QDateTime &changed, bool withDate)
{
    // A menu would take "&" for a mnemonic.
    QString text = QString(name).replace(u'&', QStringLiteral("&&"));
    if (withDate)
        text += QStringLiteral(" \u2014 ") + QLocale().toString(changed.toLocalTime(), QLocale::ShortFormat);
    return text;
}

void ClientsMenu::rebuild()
{
    using Id = Commands::Id;
    clear();
    open_->clear();
    deleted_->clear();
    const QString problem = session_.problem();
    if (!problem.isEmpty()) {
        addAction(problem)->setEnabled(false);
        const auto status = session_.existingBook()->status();
        if (status != ClientBook::Status::unreadable && status != ClientBook::Status::newerVersion)
            addAction(tr("Try again"), this, [this] { session_.book().reopen(); });
        // An office's book is never set aside from here: its way out is the book on this computer.
        if (session_.onServer())
            addAction(tr("Save to this computer's book instead"), this, [this] { session_.useLocalBook(); });
        else if (status != ClientBook::Status::locked)
            addAction(commands_.action(Id::startNewClientBook));
        addSeparator();
    }
    addAction(commands_.action(Id::saveClientAs));
    addAction(commands_.action(Id::saveClientChanges));

    const QList<Client> recent = session_.recent();
    QSet<QString> seen, repeated;
    for (const Client &c : session_.existingBook() ? session_.existingBook()->clients() : QList<Client>())
        if (seen.contains(c.name.toCaseFolded()))
            repeated.insert(c.name.toCaseFolded());
        else
            seen.insert(c.name.toCaseFolded());
    for (const Client &c : recent) {
        QAction *item = open_->addAction(itemText(c.name, c.changed, repeated.contains(c.name.toCaseFolded())));
        const qint64 id = c.id;
        connect(item, &QAction::triggered, this, [this, id] { Q_EMIT openRequested(id); });
    }
    if (recent.isEmpty())
        open_->addAction(tr("No clients yet"))->setEnabled(false);
    open_->setEnabled(!recent.isEmpty());
    addMenu(open_);
    // Shown only while there is something to put back.
    const ClientBook *book = session_.existingBook();
    for (const Client &c : book ? book->deleted() : QList<Client>()) {
        const qint64 id = c.id;
        connect(deleted_->addAction(itemText(c.name, c.deleted, true)), &QAction::triggered, this,
                [this, id] { session_.restoreDeleted(id); });
    }
    if (!deleted_->isEmpty())
        addMenu(deleted_);
    addSeparator();
    addAction(commands_.action(Id::allClients));
}

} // namespace brolga
