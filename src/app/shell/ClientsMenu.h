#pragma once

#include <QMenu>

namespace brolga {

class ClientSession;
class Commands;

// "Clients": save as a new client, save the open one's changes, open one of the ten changed last, put back one
// from "Recently deleted", and the window with all of them. A book that cannot be used says why in its first line,
// with the way out. Built afresh each time it opens, so it follows the book; one menu serves the header, the tray and
// the menu bar.
class ClientsMenu : public QMenu {
    Q_OBJECT
  public:
    ClientsMenu(ClientSession &session, const Commands &commands, QWidget *parent = nullptr);

    // Fills the menu from the book as it is now (done on every opening).
    void rebuild();
    QMenu *openMenu() const { return open_; }
    QMenu *deletedMenu() const { return deleted_; }

    // "Anna Lee" as listed; with its last change when another client has the same name.
    static QString itemText(const QString &name, const QDateTime &changed, bool withDate);

  Q_SIGNALS:
    // A client was picked from "Open".
    void openRequested(qint64 id);

  private:
    ClientSession &session_;
    const Commands &commands_;
    QMenu *open_;
    QMenu *deleted_;
};

} // namespace brolga
