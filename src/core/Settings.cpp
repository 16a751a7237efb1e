#include "core/Settings.h"

#include "core/StateCodec.h"

namespace brolga {

namespace {
QString key(const char *k) { return QString::fromLatin1(k); }
} // namespace

Settings::Settings() : settings_(QStringLiteral("Saltbush"), QStringLiteral("Brolga")) {}

std::optional<QByteArray> Settings::storedState() const
{
    const QVariant v = settings_.value(key(stateKey));
    if (!v.isValid())
        return std::nullopt;
    return v.toByteArray();
}

void Settings::setStoredState(const QByteArray &bytes)
{
    settings_.setValue(key(stateKey), bytes);
    // Flushed at once so that a record survives the process being killed right after a save.
    settings_.sync();
}

bool Settings::hasLaunched() const { return settings_.value(key(hasLaunchedKey), false).toBool(); }
void Settings::setHasLaunched(bool value) { settings_.setValue(key(hasLaunchedKey), value); }

bool Settings::coachMarkShown() const { return settings_.value(key(coachMarkShownKey), false).toBool(); }
void Settings::setCoachMarkShown(bool value) { settings_.setValue(key(coachMarkShownKey), value); }

std::optional<QDateTime> Settings::updateLastCheck() const
{
    // Kept as seconds since 2001-01-01 UTC, like the dates of the stored record.
    bool ok = false;
    const double seconds = settings_.value(key(updateLastCheckKey)).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    const QDateTime when = StateCodec::fromReferenceSeconds(seconds);
    if (!when.isValid())
        return std::nullopt;
    return when;
}

void Settings::setUpdateLastCheck(const QDateTime &when)
{
    settings_.setValue(key(updateLastCheckKey), StateCodec::toReferenceSeconds(when));
}

QString Settings::updateDismissedVersion() const { return settings_.value(key(updateDismissedVersionKey)).toString(); }
void Settings::setUpdateDismissedVersion(const QString &version)
{
    settings_.setValue(key(updateDismissedVersionKey), version);
}

std::optional<QRect> Settings::windowFrame() const
{
    const QVariant v = settings_.value(key(windowFrameKey));
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    const QStringList parts = v.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const QRect frame(numbers[0], numbers[1], numbers[2], numbers[3]);
    if (frame.width() <= 0 || frame.height() <= 0)
        return std::nullopt;
    return frame;
}

void Settings::setWindowFrame(const QRect &frame)
{
    settings_.setValue(
        key(windowFrameKey),
        QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height()));
}

void Settings::sync() { settings_.sync(); }

} // namespace brolga
