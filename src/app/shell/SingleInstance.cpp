#include "app/shell/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

namespace brolga {

namespace {
constexpr auto lockName = "brolga.lock";
constexpr auto socketName = "brolga.socket";
constexpr int retryMs = 100;
} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent), folder_(folder), lock_(QDir(folder).filePath(QString::fromLatin1(lockName)))
{
    // Only a dead owner makes the lock stale, never its age: Brolga runs for weeks.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
    if (primary_)
        lock_.unlock();
}

QString SingleInstance::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    return folder;
}

QString SingleInstance::lockPath() const
{
    return lock_.fileName();
}

QString SingleInstance::serverName() const
{
#if defined(Q_OS_WIN)
    // A pipe name, not a path: one per user.
    return QStringLiteral("Brolga-") + qEnvironmentVariable("USERNAME");
#else
    return QDir(folder_).filePath(QString::fromLatin1(socketName));
#endif
}

bool SingleInstance::acquire()
{
    if (primary_)
        return true;
    QDir().mkpath(folder_);
    // A lock whose owner has died is removed and taken here.
    if (!lock_.tryLock(0))
        return false;
    primary_ = true;
    // The lock is ours, so any socket file is a leftover of a killed owner.
    QLocalServer::removeServer(serverName());
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
    // Without the socket this process still runs alone; later launches then report that it did not answer.
    server_->listen(serverName());
    return true;
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = server_->nextPendingConnection()) {
        auto read = [this, socket] {
            const QByteArray request = socket->readAll();
            if (request.contains(QByteArray(showRequest).trimmed()))
                Q_EMIT activationRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request may have arrived with the connection.
        if (socket->bytesAvailable() > 0)
            read();
    }
}

bool SingleInstance::handOver(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName(), QIODevice::WriteOnly);
        if (socket.waitForConnected(int(std::max<qint64>(1, deadline.remainingTime()))))
            break;
        // The running instance may not be listening yet.
        if (deadline.hasExpired())
            return false;
        QThread::msleep(retryMs);
    }
    const qint64 size = qint64(sizeof(showRequest) - 1);
    bool sent = socket.write(showRequest, size) == size;
    while (sent && socket.bytesToWrite() > 0)
        sent = socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime())));
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(500);
    return sent;
}

} // namespace brolga
