// The update answer's decoding: never crashes; a decoded release always carries a version.
#include "FuzzChecks.h"
#include "update/Release.h"
#include "update/UpdateCheck.h"

using namespace brolga;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto release = Release::fromJson(body)) {
        FUZZ_REQUIRE(!release->version.isNull());
        // Comparing a version with itself is never "newer".
        FUZZ_REQUIRE(!UpdateCheck::isNewer(release->version, release->version));
    }
    return 0;
}
