#include "update/BoundedHttpPost.h"

#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace brolga {

namespace {

// A length as HTTP writes it, digits only (hex digits for a chunk size), read unsigned: no sign, no "0x", and
// a number too large for 64 bits is no length at all.
std::optional<quint64> lengthIn(const QByteArray &text, int base)
{
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [base](char c) {
            return (c >= '0' && c <= '9') || (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
        }))
        return std::nullopt;
    bool ok = false;
    const quint64 length = text.toULongLong(&ok, base);
    return ok ? std::optional<quint64>(length) : std::nullopt;
}

} // namespace

BoundedHttpPost::BoundedHttpPost(QObject *parent) : QObject(parent) {}

BoundedHttpPost::~BoundedHttpPost()
{
    abort();
}

void BoundedHttpPost::start(const QUrl &url, const QByteArray &contentType, const QByteArray &body, qint64 maxBodyBytes)
{
    abort();
    pending_.clear();
    body_.clear();
    maxBodyBytes_ = maxBodyBytes;
    status_ = 0;
    interim_ = 0;
    inBody_ = false;
    chunked_ = false;
    contentLength_ = -1;
    chunkLeft_ = -1;
    succeeded_ = false;

    const bool https = url.scheme() == u"https";
    QAbstractSocket *socket = nullptr;
    if (https) {
        if (!QSslSocket::supportsSsl()) {
            QTimer::singleShot(0, this, [this] { Q_EMIT finished(); });
            return;
        }
        socket = new QSslSocket(this);
    } else {
        socket = new QTcpSocket(this);
    }
    socket_ = socket;
    // The kernel holds the rest: a server that sends faster than we read is simply made to wait.
    socket->setReadBufferSize(socketBufferBytes);
    connect(socket, &QAbstractSocket::readyRead, this, &BoundedHttpPost::onReadyRead);
    connect(socket, &QAbstractSocket::disconnected, this, [this] {
        onReadyRead();
        // Without a length or chunks the body ends when the server closes.
        finish(inBody_ && !chunked_ && contentLength_ < 0);
    });
    connect(socket, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            return; // disconnected() follows
        finish(false);
    });

    const int port = url.port(https ? 443 : 80);
    const bool defaultPort = url.port() < 0 || port == (https ? 443 : 80);
    QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
    if (path.isEmpty())
        path = "/";
    if (url.hasQuery())
        path += '?' + url.query(QUrl::FullyEncoded).toLatin1();
    const QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    QByteArray request = "POST " + path + " HTTP/1.1\r\nHost: " + host +
                         (defaultPort ? QByteArray() : ':' + QByteArray::number(port)) +
                         "\r\nContent-Type: " + contentType + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                         "\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n" + body;
    if (https)
        static_cast<QSslSocket *>(socket)->connectToHostEncrypted(url.host(), quint16(port));
    else
        socket->connectToHost(url.host(), quint16(port));
    socket->write(request);
}

void BoundedHttpPost::abort()
{
    if (!socket_)
        return;
    QAbstractSocket *socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void BoundedHttpPost::finish(bool succeeded)
{
    if (!socket_)
        return;
    abort();
    succeeded_ = succeeded;
    if (!succeeded)
        body_.clear();
    Q_EMIT finished();
}

void BoundedHttpPost::onReadyRead()
{
    while (socket_ && socket_->bytesAvailable() > 0) {
        pending_ += socket_->read(socketBufferBytes);
        parse();
    }
}

void BoundedHttpPost::parse()
{
    while (socket_ && !pending_.isEmpty()) {
        if (!inBody_) {
            if (!parseHead())
                return;
            continue;
        }
        if (chunked_) {
            parseChunked();
            return;
        }
        qint64 take = pending_.size();
        if (contentLength_ >= 0)
            take = std::min<qint64>(take, contentLength_ - body_.size());
        body_ += pending_.left(take);
        pending_.remove(0, take);
        if (body_.size() > maxBodyBytes_)
            finish(false);
        else if (contentLength_ >= 0 && body_.size() == contentLength_)
            finish(true);
        return;
    }
}

bool BoundedHttpPost::parseHead()
{
    const qsizetype end = pending_.indexOf("\r\n\r\n");
    if (end < 0) {
        if (pending_.size() > maxHeadBytes)
            finish(false);
        return false;
    }
    if (end > maxHeadBytes) {
        finish(false);
        return false;
    }
    const QList<QByteArray> lines = pending_.left(end).split('\n');
    pending_.remove(0, end + 4);

    const QList<QByteArray> statusLine = lines.value(0).trimmed().split(' ');
    bool ok = false;
    const int status = statusLine.value(1).toInt(&ok);
    if (!statusLine.value(0).startsWith("HTTP/1.") || !ok || status < 100 || status > 999) {
        finish(false);
        return false;
    }
    // "100 Continue" and the like come before the real answer; a server that sends nothing else is cut off.
    if (status < 200) {
        if (++interim_ > maxInterimAnswers)
            finish(false);
        return socket_ != nullptr;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "content-length") {
            // Checked against the cap before it becomes a signed size.
            const std::optional<quint64> length = lengthIn(value, 10);
            if (!length || *length > quint64(maxBodyBytes_)) {
                finish(false);
                return false;
            }
            contentLength_ = qint64(*length);
        } else if (name == "transfer-encoding") {
            chunked_ = value.toLower().contains("chunked");
        }
    }
    if (chunked_)
        contentLength_ = -1;
    status_ = status;
    inBody_ = true;
    if (contentLength_ == 0 || status == 204 || status == 304) {
        finish(true);
        return false;
    }
    return true;
}

void BoundedHttpPost::parseChunked()
{
    while (socket_) {
        if (chunkLeft_ < 0) {
            const qsizetype lineEnd = pending_.indexOf("\r\n");
            if (lineEnd < 0) {
                if (pending_.size() > 1024)
                    finish(false);
                return;
            }
            QByteArray size = pending_.left(lineEnd);
            pending_.remove(0, lineEnd + 2);
            if (const qsizetype semicolon = size.indexOf(';'); semicolon >= 0)
                size.truncate(semicolon);
            // Against what the cap still allows, so no sum can overflow however large the size claims to be.
            const std::optional<quint64> length = lengthIn(size.trimmed(), 16);
            if (!length || *length > quint64(maxBodyBytes_ - body_.size())) {
                finish(false);
                return;
            }
            if (*length == 0) {
                finish(true); // trailers, if any, are of no interest
                return;
            }
            chunkLeft_ = qint64(*length);
        }
        if (chunkLeft_ > 0) {
            const qint64 take = std::min<qint64>(chunkLeft_, pending_.size());
            body_ += pending_.left(take);
            pending_.remove(0, take);
            chunkLeft_ -= take;
            if (chunkLeft_ > 0)
                return;
        }
        // The chunk's closing line break.
        if (pending_.size() < 2)
            return;
        if (!pending_.startsWith("\r\n")) {
            finish(false);
            return;
        }
        pending_.remove(0, 2);
        chunkLeft_ = -1;
    }
}

} // namespace brolga
