#include "core/ClientInputs.h"

#include "core/StateFields.h"
#include "core/StateJson.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

namespace brolga {

namespace {
// Kept with the record only. A new preference or identity field belongs here.
constexpr std::array<std::string_view, 10> recordOnly{
    "activeTab",   "alwaysOnTop",   "brokerName",    "brokerCompany", "brokerEmail",
    "brokerPhone", "brokerLicence", "brokerWebsite", "themeID",       "updateChecksEnabled",
};
} // namespace

bool ClientInputs::isInput(std::string_view key)
{
    return std::find(recordOnly.begin(), recordOnly.end(), key) == recordOnly.end();
}

QByteArray ClientInputs::encode(const CalculatorState &state)
{
    QJsonObject obj = QJsonDocument::fromJson(StateJson::encode(state)).object();
    for (const std::string_view key : recordOnly)
        obj.remove(QLatin1String(key.data(), qsizetype(key.size())));
    return QJsonDocument(obj).toJson(QJsonDocument::Compact);
}

std::optional<CalculatorState> ClientInputs::decode(const QByteArray &bytes)
{
    const auto stored = StateJson::decode(bytes);
    if (!stored)
        return std::nullopt;
    // Whatever else the bytes hold (identity, preferences) is left behind.
    CalculatorState inputs;
    apply(*stored, inputs);
    return inputs;
}

void ClientInputs::apply(const CalculatorState &client, CalculatorState &record)
{
    forEachStateField([&](const char *key, auto member) {
        if (isInput(key))
            record.*member = client.*member;
    });
}

bool ClientInputs::same(const CalculatorState &a, const CalculatorState &b)
{
    return encode(a) == encode(b);
}

} // namespace brolga
