// The stored record's decoding: never fails on a JSON object, and what it decodes survives a round trip.
#include "FuzzChecks.h"
#include "core/StateJson.h"

#include <QJsonDocument>

using namespace brolga;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto decoded = StateJson::decode(bytes);
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    if (doc.isObject())
        FUZZ_REQUIRE(decoded.has_value());
    if (decoded) {
        const auto again = StateJson::decode(StateJson::encode(*decoded));
        FUZZ_REQUIRE(again.has_value());
        FUZZ_REQUIRE(StateJson::encode(*again) == StateJson::encode(*decoded));
    }
    return 0;
}
