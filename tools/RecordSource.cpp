#include "RecordSource.h"

#include "core/SafeFile.h"
#include "core/Settings.h"
#include "core/StateJson.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <cstdio>

namespace brolga::RecordSource {

namespace {

// A record is a few kilobytes; anything far larger is not one. The same cap as Brolga's own reads, which
// cannot serve here as they take no pipe.
constexpr qint64 maxRecordBytes = SafeFile::maxReadBytes;

Loaded decoded(const QByteArray &bytes, const QString &source)
{
    if (auto record = StateJson::decode(bytes))
        return {std::move(record), {}};
    // Say which: text that is not JSON at all, or JSON that is not an object.
    QJsonParseError error;
    QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return {std::nullopt, QStringLiteral("%1 is not valid JSON: %2 at byte %3")
                                  .arg(source, error.errorString())
                                  .arg(error.offset)};
    return {std::nullopt, QStringLiteral("%1 does not hold a Brolga record (JSON, but not an object)").arg(source)};
}

} // namespace

Loaded fromFile(const QString &path)
{
    const bool standardInput = path == u"-";
    const QString source = standardInput ? QStringLiteral("standard input") : path;
    QFile file;
    if (standardInput) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            return {std::nullopt, QStringLiteral("cannot read standard input")};
    } else {
        if (QFileInfo(path).isDir())
            return {std::nullopt, QStringLiteral("cannot read %1: it is a folder").arg(path)};
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly))
            return {std::nullopt, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
    }
    // A pipe hands its bytes over in pieces; read until the writer closes it.
    QByteArray bytes;
    while (bytes.size() <= maxRecordBytes) {
        const QByteArray chunk = file.read(64 * 1024);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, QStringLiteral("cannot read %1: %2").arg(source, file.errorString())};
    if (bytes.size() > maxRecordBytes)
        return {std::nullopt, QStringLiteral("%1 is too large to be a Brolga record").arg(source)};
    return decoded(bytes, source);
}

Loaded fromSettings()
{
    const Settings settings;
    // The app would recover what it can; a report says what is wrong instead.
    if (settings.wasUnreadable())
        return {std::nullopt,
                QStringLiteral("the saved record cannot be read: %1").arg(settings.unreadableReason())};
    const auto bytes = settings.storedState();
    if (!bytes)
        return {CalculatorState{}, {}};
    return decoded(*bytes, QStringLiteral("the saved record"));
}

} // namespace brolga::RecordSource
