#include "update/UpdateCheck.h"

#include "core/CalculatorStore.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
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
        if (!post_.isRunning())
            return;
        post_.abort();
        Q_EMIT checkFinished();
    });
    connect(&post_, &BoundedHttpPost::finished, this, &UpdateCheck::onFinished);

    delay_.setSingleShot(true);
    delay_.setInterval(defaultCheckDelay);
    connect(&delay_, &QTimer::timeout, this, [this] {
        if (const CalculatorStore *store = scheduledFor_.data())
            checkIfDue(store->state().updateChecksEnabled);
    });
}

UpdateCheck::~UpdateCheck() { post_.abort(); }

void UpdateCheck::checkIfDue(std::optional<bool> enabled)
{
    if (enabled != true || post_.isRunning())
        return;

    const QDateTime now = clock_();
    // A stamp in the future blocks too: the elapsed time is negative.
    if (const std::optional<QDateTime> last = settings_.updateLastCheck(); last && last->secsTo(now) < throttleSeconds)
        return;

    if (!endpoint_.isValid() || isReservedHost(endpoint_))
        return;

    // Redirects are not followed, so the check never leaves the configured host; the answer is read within
    // fixed limits whatever the server sends.
    const QJsonObject body{{QStringLiteral("app"), currentVersion()}, {QStringLiteral("os"), osVersion()}};
    post_.start(endpoint_, "application/json", QJsonDocument(body).toJson(QJsonDocument::Compact), maxBodyBytes);
    // A whole-request deadline: a server that trickles bytes cannot hold the check open.
    deadline_.start(timeout_);
}

void UpdateCheck::onFinished()
{
    deadline_.stop();
    const auto done = qScopeGuard([this] { Q_EMIT checkFinished(); });
    if (!post_.succeeded() || post_.status() != 200)
        return;
    const std::optional<Release> release = Release::fromJson(post_.body());
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
