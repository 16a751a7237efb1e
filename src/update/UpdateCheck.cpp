#include "update/UpdateCheck.h"

#include "core/CalculatorStore.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QOperatingSystemVersion>
#include <QScopeGuard>
#include <QSysInfo>

#ifndef BROLGA_SERVICE_URL
#define BROLGA_SERVICE_URL "https://updates.brolga.invalid"
#endif

namespace brolga {

namespace {

std::optional<QUrl> serviceOverride;

QUrl underService(const QString &path)
{
    QUrl url = UpdateCheck::serviceBase();
    QString base = url.path();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + path);
    return url;
}

// A name under the reserved top-level domain: the unconfigured default. Not even a DNS query goes out.
bool isReservedHost(const QUrl &url)
{
    const QString host = url.host().toLower();
    return host == QLatin1String("invalid") || host.endsWith(QLatin1String(".invalid"));
}

// A whole decimal number with an optional sign; anything else, overflow included, counts as 0.
qlonglong component(QStringView text)
{
    QStringView digits = text;
    if (digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
        digits = digits.mid(1);
    if (digits.isEmpty())
        return 0;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? value : 0;
}

QList<qlonglong> components(const QString &version)
{
    QList<qlonglong> out;
    for (const QStringView part : QStringView(version).split(QLatin1Char('.'), Qt::SkipEmptyParts))
        out.append(component(part));
    return out;
}

} // namespace

UpdateCheck::UpdateCheck(QObject *parent)
    : QObject(parent), endpoint_(defaultEndpoint()), clock_([] { return QDateTime::currentDateTimeUtc(); })
{
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_)
            reply_->abort();
    });

    delay_.setSingleShot(true);
    delay_.setInterval(defaultCheckDelay);
    connect(&delay_, &QTimer::timeout, this, [this] {
        if (const CalculatorStore *store = scheduledFor_.data())
            checkIfDue(store->state().updateChecksEnabled);
    });
}

UpdateCheck::~UpdateCheck()
{
    // The reply outlives our members by a moment (the manager deletes it); it must not call back into them.
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void UpdateCheck::checkIfDue(std::optional<bool> enabled)
{
    if (enabled != true || reply_)
        return;

    const QDateTime now = clock_();
    // A stamp in the future blocks too: the elapsed time is negative.
    if (const std::optional<QDateTime> last = settings_.updateLastCheck(); last && last->secsTo(now) < throttleSeconds)
        return;

    if (!endpoint_.isValid() || isReservedHost(endpoint_))
        return;

    QNetworkRequest request(endpoint_);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    // Same scheme, host and port only: a redirect must never carry the check to somebody else.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::SameOriginRedirectPolicy);

    const QJsonObject body{{QStringLiteral("app"), currentVersion()}, {QStringLiteral("os"), osVersion()}};
    reply_ = network_.post(request, QJsonDocument(body).toJson(QJsonDocument::Compact));
    // Qt buffers no more than this whatever the server sends; one byte over the cap tells an oversized body.
    reply_->setReadBufferSize(maxBodyBytes + 1);
    connect(reply_, &QNetworkReply::metaDataChanged, this, &UpdateCheck::abortIfTooLarge);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateCheck::abortIfTooLarge);
    connect(reply_, &QNetworkReply::finished, this, &UpdateCheck::onFinished);
    // A whole-request deadline: a server that trickles bytes cannot hold the check open.
    deadline_.start(timeout_);
}

void UpdateCheck::abortIfTooLarge()
{
    if (!reply_)
        return;
    bool known = false;
    const qlonglong declared = reply_->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if ((known && declared > maxBodyBytes) || reply_->bytesAvailable() > maxBodyBytes)
        reply_->abort();
}

void UpdateCheck::onFinished()
{
    deadline_.stop();
    QNetworkReply *reply = reply_.data();
    reply_ = nullptr;
    if (!reply)
        return;
    reply->deleteLater();

    const auto done = qScopeGuard([this] { Q_EMIT checkFinished(); });

    if (reply->error() != QNetworkReply::NoError)
        return;
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return;
    const QByteArray body = reply->read(maxBodyBytes + 1);
    if (body.size() > maxBodyBytes)
        return;
    const std::optional<Release> release = Release::fromJson(body);
    if (!release)
        return;

    // Only a usable answer counts towards the daily limit.
    settings_.setUpdateLastCheck(clock_());

    if (!isNewer(release->version, currentVersion()))
        return;
    if (settings_.updateDismissedVersion() == release->version)
        return;
    setAvailable(release);
}

void UpdateCheck::scheduleCheck(const CalculatorStore *store)
{
    scheduledFor_ = store;
    delay_.start();
}

void UpdateCheck::cancelScheduledCheck()
{
    delay_.stop();
    scheduledFor_ = nullptr;
}

void UpdateCheck::dismiss()
{
    if (available_)
        settings_.setUpdateDismissedVersion(available_->version);
    setAvailable(std::nullopt);
}

void UpdateCheck::setAvailable(const std::optional<Release> &release)
{
    if (available_ == release)
        return;
    available_ = release;
    Q_EMIT availableChanged();
}

QUrl UpdateCheck::serviceBase()
{
    return serviceOverride ? *serviceOverride : QUrl(QStringLiteral(BROLGA_SERVICE_URL));
}
bool UpdateCheck::isOffered()
{
    const QUrl base = serviceBase();
    return base.isValid() && !base.host().isEmpty() && !isReservedHost(base);
}
void UpdateCheck::setServiceBase(std::optional<QUrl> base) { serviceOverride = std::move(base); }
QUrl UpdateCheck::defaultEndpoint() { return underService(QStringLiteral("/app/check")); }
QUrl UpdateCheck::downloadPage() { return underService(QStringLiteral("/app")); }
QUrl UpdateCheck::privacyPage() { return underService(QStringLiteral("/app/privacy")); }

QString UpdateCheck::currentVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("0") : version;
}

QString UpdateCheck::osVersion()
{
    const QOperatingSystemVersion os = QOperatingSystemVersion::current();
    int major = os.majorVersion();
    int minor = os.minorVersion();
    if (major < 0) {
        // Linux and the BSDs: the distribution's release, for example "12" or "22.04".
        const QList<qlonglong> parts = components(QSysInfo::productVersion());
        major = parts.isEmpty() ? 0 : int(parts.value(0));
        minor = int(parts.value(1));
    }
    return QStringLiteral("%1.%2").arg(qMax(major, 0)).arg(qMax(minor, 0));
}

bool UpdateCheck::isNewer(const QString &version, const QString &than)
{
    const QList<qlonglong> a = components(version);
    const QList<qlonglong> b = components(than);
    for (qsizetype i = 0, n = qMax(a.size(), b.size()); i < n; ++i) {
        const qlonglong x = a.value(i);
        const qlonglong y = b.value(i);
        if (x != y)
            return x > y;
    }
    return false;
}

} // namespace brolga
