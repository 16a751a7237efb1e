#pragma once

#include "core/CalculatorState.h"

#include <QByteArray>

#include <optional>
#include <string_view>

namespace brolga {

// What a client keeps of the calculator record: the inputs of the four tabs. The broker's identity, the theme,
// the window and update preferences and the tab on show stay with the record, so opening a client changes
// figures only, and switching tabs does not count as a change to the client.
//
// The stored form is the record's own (StateJson) without the record-only members, so one tolerant decoder
// reads both. A field added to the record is a client input unless it is named in ClientInputs.cpp.
class ClientInputs {
public:
    static bool isInput(std::string_view key);

    // The inputs of `state`, as JSON bytes.
    static QByteArray encode(const CalculatorState &state);
    // The stored inputs over the record's defaults; absent only when the bytes are not a JSON object.
    static std::optional<CalculatorState> decode(const QByteArray &bytes);

    // Copies the inputs of `client` onto `record`, leaving its identity and preferences as they were.
    static void apply(const CalculatorState &client, CalculatorState &record);
    // Whether the two hold the same inputs as stored (what "unsaved changes" means).
    static bool same(const CalculatorState &a, const CalculatorState &b);
};

} // namespace brolga
