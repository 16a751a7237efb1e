#include "core/LegacySettings.h"

#include "core/SafeFile.h"
#include "core/Settings.h"

#include <QJsonDocument>

#include <functional>
#include <optional>

#if defined(Q_OS_MACOS) || defined(Q_OS_WIN)
#include <QSettings>
#endif

namespace brolga {

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The first value of a QSettings INI value: quotes, backslash escapes (\n, \x41, \101, ...). A comma outside
// quotes ends it, as it would end the first item of a list.
QString unescape(QStringView raw)
{
    QString out;
    bool quoted = false;
    const qsizetype n = raw.size();
    qsizetype i = 0;
    while (i < n && raw[i].isSpace())
        ++i;
    qsizetype lastKept = -1; // trailing blanks outside quotes are dropped
    while (i < n) {
        const QChar c = raw[i++];
        if (c == u'"') {
            quoted = !quoted;
            lastKept = out.size();
            continue;
        }
        if (c == u',' && !quoted)
            break;
        if (c != u'\\') {
            out += c;
            if (quoted || !c.isSpace())
                lastKept = out.size();
            continue;
        }
        if (i >= n)
            break;
        const QChar e = raw[i++];
        switch (e.unicode()) {
        case 'a': out += u'\a'; break;
        case 'b': out += u'\b'; break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'v': out += u'\v'; break;
        case 'x': {
            char32_t value = 0;
            while (i < n && hexValue(raw[i]) >= 0 && value <= 0xFFFF)
                value = value * 16 + char32_t(hexValue(raw[i++]));
            out += QChar(char16_t(value & 0xFFFF));
            break;
        }
        default:
            if (e >= u'0' && e <= u'7') {
                char32_t value = char32_t(e.unicode() - '0');
                while (i < n && raw[i] >= u'0' && raw[i] <= u'7' && value <= 0xFFFF)
                    value = value * 8 + char32_t(raw[i++].unicode() - '0');
                out += QChar(char16_t(value & 0xFFFF));
            } else {
                out += e; // \" \' \? \\ and anything unknown stand for themselves
            }
        }
        lastKept = out.size();
    }
    out.truncate(std::max<qsizetype>(lastKept, 0));
    return out;
}

std::optional<QByteArray> byteArray(const QString &value)
{
    if (!value.startsWith(QLatin1String("@ByteArray(")) || !value.endsWith(u')'))
        return std::nullopt;
    return QStringView(value).sliced(11).chopped(1).toLatin1();
}

// A plain text value: "@@x" stands for "@x"; any other "@Type(...)" is not text.
std::optional<QString> text(const QString &value)
{
    if (value.startsWith(QLatin1String("@@")))
        return value.mid(1);
    if (value.startsWith(u'@'))
        return std::nullopt;
    return value;
}

QJsonObject knownKeys(const std::function<std::optional<QString>(const char *)> &value)
{
    QJsonObject out;
    auto key = [](const char *k) { return QString::fromLatin1(k); };
    if (const auto v = value(Settings::stateKey))
        if (const auto bytes = byteArray(*v)) {
            QJsonParseError error;
            const QJsonDocument doc = QJsonDocument::fromJson(*bytes, &error);
            // A record that does not parse is moved as its text, to be recovered like any unreadable record.
            out.insert(key(Settings::stateKey), error.error == QJsonParseError::NoError && doc.isObject()
                                                    ? QJsonValue(doc.object())
                                                    : QJsonValue(QString::fromUtf8(*bytes)));
        }
    for (const char *flag : {Settings::hasLaunchedKey, Settings::coachMarkShownKey})
        if (const auto v = value(flag); v && (*v == u"true" || *v == u"false"))
            out.insert(key(flag), *v == u"true");
    if (const auto v = value(Settings::updateLastCheckKey)) {
        bool ok = false;
        const double seconds = v->toDouble(&ok);
        if (ok)
            out.insert(key(Settings::updateLastCheckKey), seconds);
    }
    if (const auto v = value(Settings::updateDismissedVersionKey))
        if (const auto t = text(*v))
            out.insert(key(Settings::updateDismissedVersionKey), *t);
    // The frame as "x y width height"; the still older binary form is not read back anyway.
    if (const auto v = value(Settings::windowFrameKey))
        if (const auto t = text(*v))
            out.insert(key(Settings::windowFrameKey), *t);
    return out;
}

} // namespace

QJsonObject LegacySettings::parseIni(const QByteArray &bytes)
{
    QJsonObject out;
    bool general = true; // keys before any section header belong to [General]
    const QString text = QString::fromUtf8(bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
            continue;
        if (trimmed.startsWith(u'[')) {
            general = trimmed.compare(QLatin1String("[General]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!general || equals <= 0)
            continue;
        out.insert(line.left(equals).trimmed().toString(), unescape(line.sliced(equals + 1)));
    }
    return out;
}

QJsonObject LegacySettings::read(const QString &iniPath)
{
#if defined(Q_OS_MACOS) || defined(Q_OS_WIN)
    // The platform's own preference store (a property list, the registry) holds typed values, not INI text.
    Q_UNUSED(iniPath);
    QSettings native(QStringLiteral("Saltbush"), QStringLiteral("Brolga"));
    return knownKeys([&native](const char *k) -> std::optional<QString> {
        const QVariant v = native.value(QString::fromLatin1(k));
        if (!v.isValid())
            return std::nullopt;
        if (v.typeId() == QMetaType::QByteArray)
            return QStringLiteral("@ByteArray(") + QString::fromLatin1(v.toByteArray()) + u')';
        if (v.typeId() == QMetaType::Bool)
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        return v.toString();
    });
#else
    const SafeFile::Read file = SafeFile::read(iniPath);
    if (!file.ok())
        return {};
    const QJsonObject values = parseIni(file.bytes);
    return knownKeys([&values](const char *k) -> std::optional<QString> {
        const QJsonValue v = values.value(QString::fromLatin1(k));
        if (!v.isString())
            return std::nullopt;
        return v.toString();
    });
#endif
}

} // namespace brolga
