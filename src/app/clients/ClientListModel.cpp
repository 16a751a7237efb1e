#include "app/clients/ClientListModel.h"

#include "core/ClientBook.h"

#include <QLocale>

namespace brolga {

ClientListModel::ClientListModel(ClientBook &book, QObject *parent) : QAbstractListModel(parent), book_(book)
{
    connect(&book_, &ClientBook::changed, this, &ClientListModel::reload);
    reload();
}

void ClientListModel::setSearch(const QString &text)
{
    if (text == search_)
        return;
    search_ = text;
    reload();
}

void ClientListModel::reload()
{
    beginResetModel();
    rows_ = book_.search(search_);
    endResetModel();
}

int ClientListModel::rowOf(qint64 id) const
{
    for (int row = 0; row < rows_.size(); ++row)
        if (rows_.at(row).id == id)
            return row;
    return -1;
}

int ClientListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QString ClientListModel::changedText(const QDateTime &changed)
{
    return tr("Changed %1").arg(QLocale().toString(changed.toLocalTime(), QLocale::ShortFormat));
}

QString ClientListModel::rowText(const Client &client) const
{
    // In an office's book a row says whose it is when it is not the broker's own, and when it is shared.
    if (!book_.owns(client))
        return tr("Shared by %1 \u00b7 %2").arg(client.owner, changedText(client.changed));
    if (client.shared)
        return tr("Shared \u00b7 %1").arg(changedText(client.changed));
    return changedText(client.changed);
}

QVariant ClientListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    const Client &c = rows_.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return c.name;
    case Qt::ToolTipRole: return c.note.isEmpty() ? changedText(c.changed) : c.note;
    case Qt::AccessibleTextRole: return tr("%1, %2").arg(c.name, rowText(c));
    case idRole: return c.id;
    case changedRole: return c.changed;
    case changedTextRole: return rowText(c);
    default: return {};
    }
}

} // namespace brolga
