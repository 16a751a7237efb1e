#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <QAbstractSocket>

namespace brolga {

// One HTTP/1.1 POST whose answer is read within fixed limits, on this thread. Memory stays bounded whatever
// the server does: the socket buffers at most a few kilobytes, the head and the body have caps, a run of
// interim "1xx" answers is cut short, and an endless body (chunked or not) fails once it passes the cap.
// QNetworkAccessManager cannot promise this: its HTTP thread reads a streamed chunked body or a flood of
// "100 Continue" into memory without limit. No redirect is followed and no cookie or cache is kept.
class BoundedHttpPost : public QObject {
    Q_OBJECT
public:
    explicit BoundedHttpPost(QObject *parent = nullptr);
    ~BoundedHttpPost() override;

    // http or https only. finished() follows, on this thread, exactly once per start (unless aborted).
    void start(const QUrl &url, const QByteArray &contentType, const QByteArray &body, qint64 maxBodyBytes);
    // Drops the connection; no finished() follows.
    void abort();
    bool isRunning() const { return socket_ != nullptr; }

    // After finished(): whether a whole answer arrived, its status and body.
    bool succeeded() const { return succeeded_; }
    int status() const { return status_; }
    const QByteArray &body() const { return body_; }

    static constexpr qint64 maxHeadBytes = 16 * 1024;
    static constexpr int maxInterimAnswers = 8;
    static constexpr qint64 socketBufferBytes = 16 * 1024;

Q_SIGNALS:
    void finished();

private:
    void onReadyRead();
    void parse();
    bool parseHead();
    void parseChunked();
    void finish(bool succeeded);

    QPointer<QAbstractSocket> socket_;
    QByteArray pending_; // received, not yet parsed
    QByteArray body_;
    qint64 maxBodyBytes_ = 0;
    int status_ = 0;
    int interim_ = 0;
    bool inBody_ = false;
    bool chunked_ = false;
    qint64 contentLength_ = -1; // -1: until the server closes
    qint64 chunkLeft_ = -1;     // bytes of the current chunk still to come; -1 between chunks
    bool succeeded_ = false;
};

} // namespace brolga
