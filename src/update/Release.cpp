#include "update/Release.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace brolga {

namespace {

// False when the member is there with a type other than text or null.
bool readOptional(const QJsonObject &object, const char *key, std::optional<QString> &out)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

} // namespace

bool Release::isVersionText(const QString &text)
{
    // Digits and dots, starting and ending with a digit: nothing to mislead a reader of the strip.
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+(\\.[0-9]+)*")));
    return text.size() <= maxVersionLength && pattern.match(text).hasMatch();
}

std::optional<Release> Release::fromJson(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    const QJsonValue version = object.value(QLatin1String("version"));
    if (!version.isString() || !isVersionText(version.toString()))
        return std::nullopt;

    Release release;
    release.version = version.toString();
    if (!readOptional(object, "published", release.published) || !readOptional(object, "notes_en", release.notes_en)
        || !readOptional(object, "notes_cn", release.notes_cn) || !readOptional(object, "download", release.download))
        return std::nullopt;
    return release;
}

} // namespace brolga
