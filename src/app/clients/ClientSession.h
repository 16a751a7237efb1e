#pragma once

#include "app/clients/ClientPrompts.h"
#include "core/CalculatorState.h"
#include "core/Client.h"
#include "core/ClientBook.h"

#include <QObject>

#include <memory>
#include <optional>

class QWidget;

namespace brolga {

class CalculatorStore;
class Settings;

// Which client's figures the calculator holds, and the client book behind it. The book is made only when first
// needed: it is opened at start when its file is there, and made by the first save. The open client's name goes
// to the store, so every export names whom it was prepared for.
//
// "Unsaved changes" means the record's inputs differ from what the open client has stored.
class ClientSession : public QObject {
    Q_OBJECT
  public:
    // `path` is the book's file or an office server's address; empty: the user's file.
    explicit ClientSession(CalculatorStore &store, QString path = {}, QObject *parent = nullptr);
    ~ClientSession() override;

    // The book the settings choose: the user's file, or the office server's address with the password from the
    // keychain (the file when the server is not filled in).
    static QString chosenPath(const Settings &settings);

    // Opens the book when its file is there (a server's always), and with it the client that was open last time.
    void start();
    // Another book from now on, with no client open in it; the calculator's figures stay as they are.
    void useBook(const QString &path);
    // This computer's book for this run, when the office's cannot be reached.
    void useLocalBook() { useBook(ClientBook::defaultPath()); }
    bool onServer() const { return book_ && book_->onServer(); }
    // The book the open one's clients can move to: this computer's from the office's, the office's (as the
    // settings choose it) from this computer's; absent when the settings name no office, or not all of its address.
    std::optional<QString> otherBook() const;
    bool hasOtherBook() const;
    // Moves the broker's own clients of the book in use into the book at `path` (otherBook()), which is then the
    // one in use (said in a toast); they wait here in "Recently deleted". Moving again after a move cut short adds
    // no doubles.
    bool moveTo(const QString &path);

    // The book, opened (and made) now if it was not yet.
    ClientBook &book();
    // The book when it is already there; null before it was needed.
    ClientBook *existingBook() const { return book_.get(); }
    // The book's one sentence when it cannot be used; empty when it can or was not needed yet.
    QString problem() const;

    // The latest changed clients; none before the book was needed.
    QList<Client> recent() const;
    std::optional<Client> current() const;
    CalculatorStore &store() const { return store_; }
    bool hasUnsavedChanges() const;

    // Asks for a name (again, with the refusal, until it is one) and saves the record's inputs as a new client,
    // which is then the open one. False when cancelled or the save failed (said in a toast).
    bool saveAsNew(QWidget *parent);
    // Writes the record's inputs over the open client's, and says so. When someone saved the client since it was
    // opened, asks the broker: reopen theirs (Undo brings the broker's figures back), save these as a copy, or
    // overwrite. True when the figures were saved, as a copy too.
    bool saveChanges(QWidget *parent = nullptr);
    // Renames a client, asking the same when someone saved it since; a copy takes the new name.
    std::optional<Client> rename(qint64 id, const QString &name, QWidget *parent);
    // The client's inputs onto the record, leaving the broker's identity and preferences alone. With unsaved
    // changes to the open client, asks first. False when cancelled or the client could not be read.
    bool open(qint64 id, QWidget *parent);

    // Deleting the open client closes it; undoing the delete opens it again.
    struct Removed {
        ClientBook::Removed removed;
        bool wasCurrent = false;
    };
    std::optional<Removed> remove(qint64 id);
    bool restore(const Removed &removed);
    // Puts a client back from "Recently deleted" (said in a toast); it is not opened.
    bool restoreDeleted(qint64 id);

    // Moves a faulty book aside and starts an empty one; only ever on the user's word.
    bool startNewBook();

  Q_SIGNALS:
    // The open client, its name, whether it has unsaved changes, or the book's list or status changed.
    void changed();
    // useBook() put another book in place of the one that was there: views of the old one let it go.
    void bookReplaced();

  private:
    void makeBook();
    // Puts the client's stored inputs onto the record as one step of the edit history; false when unreadable.
    bool load(qint64 id);
    ClientPrompts::Conflict askConflict(QWidget *parent, const Client &client) const;
    void setCurrent(std::optional<qint64> id, const CalculatorState &saved);
    void refresh();

    CalculatorStore &store_;
    QString path_;
    std::unique_ptr<ClientBook> book_;
    std::optional<qint64> id_;
    CalculatorState saved_; // the open client's inputs as stored
    bool dirty_ = false;
};

} // namespace brolga
