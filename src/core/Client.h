#pragma once

#include <QDateTime>
#include <QString>

namespace brolga {

// One client of the client book as listed: who, and when. The calculator inputs are read on opening
// (ClientBook::inputs), so a list of thousands stays small.
struct Client {
    qint64 id = 0;
    QString name;
    QString note;
    QDateTime created;  // UTC
    QDateTime changed;  // UTC; the book lists the latest change first
    QDateTime deleted;  // UTC; null while the client is in the book, else when it went to "Recently deleted"
    QString owner;      // the broker's role on an office server; empty in a book on this computer
    qint64 version = 1; // one more on every change, so a save over someone else's change is refused
    bool shared = false; // the office's other brokers may read it (an office server's book only)

    bool operator==(const Client &) const = default;
};

} // namespace brolga
