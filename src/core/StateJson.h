#pragma once

#include "core/CalculatorState.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace brolga {

// The stored form of CalculatorState: one JSON object, keys named after the fields, enumerations as their raw
// strings, dates as seconds since 2001-01-01 00:00:00 UTC. Decoding is tolerant member by member.
class StateJson {
public:
    static QByteArray encode(const CalculatorState &state);
    // Absent only when the bytes are not a JSON object.
    static std::optional<CalculatorState> decode(const QByteArray &bytes);

    static double toReferenceSeconds(const QDateTime &date);
    static QDateTime fromReferenceSeconds(double seconds);
};

} // namespace brolga
