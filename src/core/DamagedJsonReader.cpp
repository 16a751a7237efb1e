#include "core/DamagedJsonReader.h"

#include <QJsonDocument>
#include <QRegularExpression>

namespace brolga {

QJsonObject DamagedJsonReader::scalarMembers(const QByteArray &text)
{
    // A quoted name, a colon, then a string, a number or a literal. Each match is checked by the real parser.
    static const QRegularExpression member(QStringLiteral(
        R"re("((?:[^"\\\x00-\x1f]|\\.){1,200})"\s*:\s*("(?:[^"\\\x00-\x1f]|\\.)*"|-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?|true|false)(?=\s*[,}\]]|\s*$))re"));
    QJsonObject out;
    const QString source = QString::fromUtf8(text);
    for (auto it = member.globalMatch(source); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QByteArray one = "{" + m.captured(0).toUtf8() + "}";
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(one, &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            continue;
        const QJsonObject object = doc.object();
        for (auto m2 = object.begin(); m2 != object.end(); ++m2)
            out.insert(m2.key(), m2.value());
    }
    return out;
}

} // namespace brolga
