#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace brolga {

// The preferences earlier versions kept through QSettings, read once so they can move to Brolga's own file.
// On Linux and the BSDs that is an INI file, read here as plain text: only the keys Brolga knows, only plain
// text, numbers, booleans and "@ByteArray(...)" values. A "@Variant(...)" value is never deserialised.
class LegacySettings {
public:
    // The known keys found, as the values Settings keeps (the record as an object when it parses, else its
    // text). Empty when there is nothing to move.
    static QJsonObject read(const QString &iniPath);
    // The INI text's [General] values by key, unescaped as QSettings writes them.
    static QJsonObject parseIni(const QByteArray &text);
};

} // namespace brolga
