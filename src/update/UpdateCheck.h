#pragma once

#include "core/Settings.h"
#include "update/BoundedHttpPost.h"
#include "update/Release.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

namespace brolga {

class CalculatorStore;

// Asks the maker's service, at most once a day and only with the user's consent, whether a newer version
// exists, and holds it as the available release unless the user has hidden that version. Every failure is
// silent and leaves nothing behind, so the next launch simply tries again.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    explicit UpdateCheck(QObject *parent = nullptr);
    ~UpdateCheck() override;

    // enabled is the record's updateChecksEnabled: only true lets a request go out. Returns at once; the
    // answer arrives later on this thread. A call while a request is out is ignored.
    void checkIfDue(std::optional<bool> enabled);

    // The launch check: after checkDelay(), reads the store's consent and calls checkIfDue. A later call
    // restarts the wait; nothing happens if the store or this object is gone by then.
    void scheduleCheck(const CalculatorStore *store);
    void cancelScheduledCheck();
    bool isChecking() const { return post_.isRunning(); }

    // Hides the offered release until a different version turns up.
    void dismiss();

    const std::optional<Release> &available() const { return available_; }

    QUrl endpoint() const { return endpoint_; }
    void setEndpoint(const QUrl &url) { endpoint_ = url; }
    std::chrono::milliseconds timeout() const { return timeout_; }
    void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
    std::chrono::milliseconds checkDelay() const { return std::chrono::milliseconds(delay_.interval()); }
    void setCheckDelay(std::chrono::milliseconds delay) { delay_.setInterval(delay); }
    // "Now" for the daily throttle and the timestamp; tests give a fixed clock.
    void setClock(Clock clock) { clock_ = std::move(clock); }

    // The maker's service, fixed at build time (BROLGA_SERVICE_URL), and the pages under it.
    static QUrl serviceBase();
    // Whether this build has a service to ask. One left at the reserved default offers no update check at
    // all: no consent question, no settings section, no privacy link, never a request.
    static bool isOffered();
    // Tests stand in another base address; an empty optional restores the built-in one.
    static void setServiceBase(std::optional<QUrl> base);
    static QUrl defaultEndpoint();
    static QUrl downloadPage();
    static QUrl privacyPage();

    // The application's version, "0" when none is set.
    static QString currentVersion();
    // The running system's major.minor, for example "14.5".
    static QString osVersion();
    // Numeric comparison of dot-separated versions: 1.10 is newer than 1.9, 1.2 equals 1.2.0.
    static bool isNewer(const QString &version, const QString &than);

    static constexpr qint64 throttleSeconds = 24 * 60 * 60;
    static constexpr qint64 maxBodyBytes = 64 * 1024;
    static constexpr std::chrono::milliseconds defaultTimeout{10000};
    static constexpr std::chrono::milliseconds defaultCheckDelay{3000};

Q_SIGNALS:
    // Only when the held release actually changes.
    void availableChanged();
    // After each request that went out, whatever became of it.
    void checkFinished();

private:
    void onFinished();
    void setAvailable(const std::optional<Release> &release);

    Settings settings_;
    BoundedHttpPost post_;
    QTimer deadline_;
    QTimer delay_;
    QPointer<const CalculatorStore> scheduledFor_;
    QUrl endpoint_;
    std::chrono::milliseconds timeout_ = defaultTimeout;
    Clock clock_;
    std::optional<Release> available_;
};

} // namespace brolga
