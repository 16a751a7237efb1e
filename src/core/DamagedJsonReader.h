#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace brolga {

// What can still be read from damaged JSON text (cut short, a brace missing, a stray byte): every complete
// "name": value member whose value is a string, a number, true or false, wherever it stands. Objects and
// arrays are not rebuilt; their complete scalar members are found on their own. A later duplicate wins.
class DamagedJsonReader {
public:
    static QJsonObject scalarMembers(const QByteArray &text);
};

} // namespace brolga
