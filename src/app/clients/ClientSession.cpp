#include "app/clients/ClientSession.h"

#include "app/clients/ClientPrompts.h"
#include "core/CalculatorStore.h"
#include "core/ClientInputs.h"
#include "core/Settings.h"
#include "core/StateHistory.h"
#include "platform/Keychain.h"

#include <QFileInfo>
#include <QUrl>

namespace brolga {

ClientSession::ClientSession(CalculatorStore &store, QString path, QObject *parent)
    : QObject(parent), store_(store), path_(path.isEmpty() ? ClientBook::defaultPath() : std::move(path))
{
    connect(&store_, &CalculatorStore::stateChanged, this, [this] {
        const bool dirty = hasUnsavedChanges();
        if (dirty != std::exchange(dirty_, dirty))
            Q_EMIT changed();
    });
}

ClientSession::~ClientSession() = default;

QString ClientSession::chosenPath(const Settings &settings)
{
    if (!settings.clientBookOnServer())
        return ClientBook::defaultPath();
    const ServerAddress address = settings.officeServer();
    QUrl url(address.url());
    url.setPassword(Keychain::password(address.url()));
    const QString path = url.toString(QUrl::FullyEncoded);
    return ServerAddress::fromUrl(path) ? path : ClientBook::defaultPath();
}

void ClientSession::useBook(const QString &path)
{
    if (book_)
        book_->disconnect(this);
    book_.reset();
    path_ = path;
    // Ids are the book's own: the client open in the other book means nothing in this one.
    setCurrent(std::nullopt, {});
    start();
    Q_EMIT bookReplaced();
}

bool ClientSession::hasOtherBook() const
{
    // Read without the password: the window asks on every refresh, and the keychain may be slow to answer.
    const Settings &settings = store_.settings();
    return onServer() || (settings.clientBookOnServer() && ServerAddress::fromUrl(settings.officeServer().url()));
}

std::optional<QString> ClientSession::otherBook() const
{
    if (!hasOtherBook())
        return std::nullopt;
    return onServer() ? ClientBook::defaultPath() : chosenPath(store_.settings());
}

void ClientSession::start()
{
    if (!ServerAddress::fromUrl(path_) && !QFileInfo::exists(path_))
        return;
    makeBook();
    const auto last = store_.settings().openClient();
    if (!last || !book_->isOpen() || !book_->client(*last)) {
        refresh();
        return;
    }
    const auto saved = book_->inputs(*last);
    if (saved)
        setCurrent(*last, *saved);
    else
        refresh();
}

void ClientSession::makeBook()
{
    if (book_)
        return;
    book_ = std::make_unique<ClientBook>(path_);
    connect(book_.get(), &ClientBook::changed, this, &ClientSession::refresh);
}

ClientBook &ClientSession::book()
{
    makeBook();
    return *book_;
}

QString ClientSession::problem() const
{
    // Whatever the driver said, the broker can do one thing about it here: use this computer's book.
    if (book_ && book_->onServer() && book_->status() == ClientBook::Status::failed)
        return tr("The office's client book cannot be reached.");
    return book_ ? book_->statusMessage() : QString();
}

QList<Client> ClientSession::recent() const
{
    return book_ ? book_->recent() : QList<Client>();
}

std::optional<Client> ClientSession::current() const
{
    if (!id_ || !book_)
        return std::nullopt;
    return book_->client(*id_);
}

bool ClientSession::hasUnsavedChanges() const
{
    return current().has_value() && !ClientInputs::same(store_.state(), saved_);
}

void ClientSession::setCurrent(std::optional<qint64> id, const CalculatorState &saved)
{
    id_ = id;
    saved_ = saved;
    if (store_.settings().openClient() != id)
        store_.settings().setOpenClient(id);
    refresh();
}

void ClientSession::refresh()
{
    const auto client = current();
    store_.setClientName(client ? client->name : QString());
    dirty_ = hasUnsavedChanges();
    Q_EMIT changed();
}

bool ClientSession::saveAsNew(QWidget *parent)
{
    ClientPrompts::NameRequest request{tr("Save as New Client"), tr("Client's name:"), {}, {}, store_.state().themeID};
    QString name;
    for (;;) {
        const auto answer = ClientPrompts::askName(parent, request);
        if (!answer)
            return false;
        QString refusal;
        if (const auto clean = ClientBook::cleanName(*answer, &refusal)) {
            name = *clean;
            break;
        }
        request.name = *answer;
        request.error = refusal;
    }
    const auto client = book().create(name, store_.state());
    if (!client) {
        store_.flash(book_->lastError());
        return false;
    }
    setCurrent(client->id, store_.state());
    store_.flash(tr("Saved as %1").arg(client->name));
    return true;
}

bool ClientSession::saveChanges(QWidget *parent)
{
    const auto client = current();
    if (!client)
        return false;
    auto saved = book().saveChanges(client->id, store_.state());
    if (!saved && book_->conflict()) {
        switch (askConflict(parent, *client)) {
        case ClientPrompts::Conflict::cancel: return false;
        case ClientPrompts::Conflict::reopenTheirs:
            if (load(client->id))
                store_.flash(tr("Opened %1 as last saved; Undo brings your figures back").arg(current()->name));
            return false;
        case ClientPrompts::Conflict::saveCopy:
            if (const auto copy = book_->create(book_->freeName(client->name), store_.state(), client->note)) {
                book_->latest(client->id); // listed as they saved it
                setCurrent(copy->id, store_.state());
                store_.flash(tr("Saved as %1").arg(copy->name));
                return true;
            }
            break;
        case ClientPrompts::Conflict::overwrite:
            if (book_->latest(client->id))
                saved = book_->saveChanges(client->id, store_.state());
            break;
        }
    }
    if (!saved) {
        store_.flash(book_->lastError());
        return false;
    }
    saved_ = store_.state();
    refresh();
    store_.flash(tr("Saved changes to %1").arg(saved->name));
    return true;
}

std::optional<Client> ClientSession::rename(qint64 id, const QString &name, QWidget *parent)
{
    const auto client = book().client(id);
    auto renamed = book_->rename(id, name);
    if (!renamed && client && book_->conflict()) {
        switch (askConflict(parent, *client)) {
        case ClientPrompts::Conflict::cancel: return std::nullopt;
        case ClientPrompts::Conflict::reopenTheirs: book_->latest(id); return std::nullopt;
        case ClientPrompts::Conflict::saveCopy:
            renamed = book_->duplicate(id, name);
            book_->latest(id); // listed as they saved it
            break;
        case ClientPrompts::Conflict::overwrite:
            if (book_->latest(id))
                renamed = book_->rename(id, name);
            break;
        }
    }
    if (!renamed)
        store_.flash(book_->lastError());
    return renamed;
}

ClientPrompts::Conflict ClientSession::askConflict(QWidget *parent, const Client &client) const
{
    const ClientBook::Conflict &conflict = *book_->conflict();
    return ClientPrompts::askConflict(parent, {client.name, conflict.by, conflict.at, store_.state().themeID});
}

bool ClientSession::open(qint64 id, QWidget *parent)
{
    if (const auto open = current(); open && hasUnsavedChanges()) {
        const auto other = book().client(id);
        const QString question =
            id == open->id
                ? tr("Discard the changes to %1 and open it as last saved?").arg(open->name)
                : tr("Save the changes to %1 before opening %2?").arg(open->name, other ? other->name : QString());
        switch (ClientPrompts::askUnsaved(parent, {open->name, question, store_.state().themeID})) {
        case ClientPrompts::Unsaved::cancel: return false;
        case ClientPrompts::Unsaved::save:
            if (!saveChanges(parent))
                return false;
            break;
        case ClientPrompts::Unsaved::discard: break;
        }
    }
    return load(id);
}

bool ClientSession::load(qint64 id)
{
    const auto inputs = book().inputs(id);
    if (!inputs) {
        store_.flash(book_->isOpen() ? tr("That client is no longer in the book.") : book_->statusMessage());
        return false;
    }
    // Undoing the opening puts back the client that was open, so a save cannot write one client's figures
    // over another's.
    const auto opening = book().client(id);
    StateHistory &history = store_.history();
    history.nameNextStep(tr("Open %1").arg(opening ? opening->name : QString()));
    history.alsoOnNextStep([this, was = id_, wasSaved = saved_] { setCurrent(was, wasSaved); },
                           [this, id, saved = *inputs] { setCurrent(id, saved); });
    // The open client first, so the record's change counts as no change to it.
    id_ = id;
    saved_ = *inputs;
    store_.edit([&inputs](CalculatorState &s) { ClientInputs::apply(*inputs, s); });
    setCurrent(id, *inputs);
    return true;
}

std::optional<ClientSession::Removed> ClientSession::remove(qint64 id)
{
    const bool wasCurrent = id_ == id && current().has_value();
    auto removed = book().remove(id);
    if (!removed) {
        store_.flash(book_->lastError());
        return std::nullopt;
    }
    if (wasCurrent)
        setCurrent(std::nullopt, {});
    return Removed{std::move(*removed), wasCurrent};
}

bool ClientSession::restore(const Removed &removed)
{
    if (!book().restore(removed.removed)) {
        store_.flash(book_->lastError());
        return false;
    }
    // Back as it was: open again, with the inputs it had stored, whatever the record holds now.
    if (removed.wasCurrent && !current())
        if (const auto saved = book_->inputs(removed.removed.client.id))
            setCurrent(removed.removed.client.id, *saved);
    return true;
}

bool ClientSession::restoreDeleted(qint64 id)
{
    if (!book().restore(id)) {
        store_.flash(book_->lastError());
        return false;
    }
    store_.flash(tr("%1 is back in the book").arg(book_->client(id)->name));
    return true;
}

bool ClientSession::startNewBook()
{
    if (!book().startNewBook()) {
        store_.flash(book_->lastError());
        return false;
    }
    setCurrent(std::nullopt, {});
    return true;
}

bool ClientSession::moveTo(const QString &path)
{
    QString done;
    {
        ClientBook other(path);
        const auto moved = other.isOpen() ? other.moveAllFrom(book()) : std::nullopt;
        if (!moved) {
            store_.flash(other.isOpen() ? other.lastError() : other.statusMessage());
            return false;
        }
        const QString where = other.onServer() ? tr("the office book") : tr("this computer's book");
        done =
            *moved == 1 ? tr("Moved 1 client to %1").arg(where) : tr("Moved %1 clients to %2").arg(*moved).arg(where);
    }
    // The clients are worked on where they went; the book they went to is let go first, as a file takes one user.
    useBook(path);
    store_.flash(done);
    return true;
}

} // namespace brolga
