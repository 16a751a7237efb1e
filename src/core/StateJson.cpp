#include "core/StateJson.h"

#include "core/StateFields.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QTimeZone>

#include <cmath>
#include <type_traits>

namespace brolga {

namespace {

const QDateTime &referenceDate()
{
    static const QDateTime ref(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return ref;
}

template <typename T> struct IsOptional : std::false_type {};
template <typename T> struct IsOptional<std::optional<T>> : std::true_type {};

template <typename T> QJsonValue toJson(const T &value)
{
    if constexpr (std::is_same_v<T, double>) {
        // JSON has no NaN or infinity; Qt would write null, which reads back as the default. Keep it explicit.
        return std::isfinite(value) ? QJsonValue(value) : QJsonValue();
    } else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, int> || std::is_same_v<T, QString>) {
        return QJsonValue(value);
    } else if constexpr (std::is_same_v<T, QDateTime>) {
        return QJsonValue(StateJson::toReferenceSeconds(value));
    } else {
        static_assert(std::is_enum_v<T>);
        return QJsonValue(rawValue(value));
    }
}

// Reads one member with the field's type; absent on a missing member, null, wrong type or unknown raw string.
template <typename T> std::optional<T> fromJson(const QJsonValue &v)
{
    if constexpr (std::is_same_v<T, double>) {
        if (v.isDouble())
            return v.toDouble();
    } else if constexpr (std::is_same_v<T, int>) {
        if (v.isDouble()) {
            const double d = v.toDouble();
            if (std::isfinite(d) && d == std::trunc(d) && d >= INT_MIN && d <= INT_MAX)
                return static_cast<int>(d);
        }
    } else if constexpr (std::is_same_v<T, bool>) {
        if (v.isBool())
            return v.toBool();
    } else if constexpr (std::is_same_v<T, QString>) {
        if (v.isString())
            return v.toString();
    } else if constexpr (std::is_same_v<T, QDateTime>) {
        if (v.isDouble()) {
            const QDateTime d = StateJson::fromReferenceSeconds(v.toDouble());
            if (d.isValid())
                return d;
        }
    } else {
        static_assert(std::is_enum_v<T>);
        if (v.isString())
            return fromRaw<T>(v.toString());
    }
    return std::nullopt;
}

} // namespace

double StateJson::toReferenceSeconds(const QDateTime &date)
{
    return static_cast<double>(referenceDate().msecsTo(date)) / 1000.0;
}

QDateTime StateJson::fromReferenceSeconds(double seconds)
{
    // Beyond about ±100,000 years QDateTime cannot hold the moment; treat such a stored date as unreadable.
    constexpr double limit = 100000.0 * 366 * 86400;
    if (!std::isfinite(seconds) || std::abs(seconds) > limit)
        return {};
    return referenceDate().addMSecs(static_cast<qint64>(std::llround(seconds * 1000.0)));
}

QByteArray StateJson::encode(const CalculatorState &state)
{
    QJsonObject obj;
    forEachStateField([&](const char *key, auto member) {
        const auto &value = state.*member;
        using T = std::decay_t<decltype(value)>;
        if constexpr (IsOptional<T>::value) {
            if (value)
                obj.insert(QLatin1String(key), toJson(*value));
        } else {
            obj.insert(QLatin1String(key), toJson(value));
        }
    });
    return QJsonDocument(obj).toJson(QJsonDocument::Compact);
}

std::optional<CalculatorState> StateJson::decode(const QByteArray &bytes)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject obj = doc.object();

    CalculatorState state;
    forEachStateField([&](const char *key, auto member) {
        auto &field = state.*member;
        using T = std::decay_t<decltype(field)>;
        const QJsonValue v = obj.value(QLatin1String(key));
        if constexpr (IsOptional<T>::value) {
            field = fromJson<typename T::value_type>(v);
        } else if (auto read = fromJson<T>(v)) {
            field = *read;
        }
    });
    // The settings cap what is typed; a record edited elsewhere is cut to the same length, never within a
    // character of two code units.
    constexpr int cap = CalculatorState::maxIdentityLength;
    for (QString *text : {&state.brokerName, &state.brokerCompany, &state.brokerEmail, &state.brokerPhone,
                          &state.brokerLicence, &state.brokerWebsite})
        if (text->size() > cap)
            text->truncate(text->at(cap - 1).isHighSurrogate() ? cap - 1 : cap);
    return state;
}

} // namespace brolga
