#pragma once

#include "core/Client.h"

#include <QAbstractListModel>
#include <QList>

namespace brolga {

class ClientBook;

// The book's clients whose names match the search, latest change first, as the book keeps them in memory: a
// search or a change to the book is one pass over that list, never a read from the disk.
class ClientListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    enum Role { idRole = Qt::UserRole + 1, changedRole, changedTextRole };

    explicit ClientListModel(ClientBook &book, QObject *parent = nullptr);

    void setSearch(const QString &text);
    QString search() const { return search_; }

    const Client &client(int row) const { return rows_.at(row); }
    // The row of the client, or -1 when it is not listed.
    int rowOf(qint64 id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // "Changed 7 Dec 2026, 14:30" in the user's locale and time zone.
    static QString changedText(const QDateTime &changed);

  private:
    void reload();
    // The line under the name: when it changed, and in an office's book whether it is shared and by whom.
    QString rowText(const Client &client) const;

    ClientBook &book_;
    QString search_;
    QList<Client> rows_;
};

} // namespace brolga
