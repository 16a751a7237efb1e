// The number field's text rules: a parsed value clamps into range, and the formatted text reads back as it.
#include "FuzzChecks.h"
#include "ui/controls/NumberText.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace brolga;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1)
        return 0;
    const int decimals = data[0] % 4;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const auto parsed = NumberText::parse(text);
    if (!parsed)
        return 0;
    const double value = NumberText::clamp(*parsed, 0, 100000000);
    FUZZ_REQUIRE(std::isfinite(value) && value >= 0 && value <= 100000000);
    const QString shown = NumberText::format(value, decimals);
    const auto back = NumberText::parse(shown);
    FUZZ_REQUIRE(back.has_value());
    // Read back it is the shown figure, within half a unit of its last digit (plus the spacing of doubles at
    // that size: 55055555.555 is stored a hair above its decimal value).
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    FUZZ_REQUIRE(std::abs(*back - value) <= halfUnit + 4 * std::abs(value) * std::numeric_limits<double>::epsilon());
    return 0;
}
