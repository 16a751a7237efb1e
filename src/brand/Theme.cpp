#include "brand/Theme.h"

namespace brolga {

const std::vector<Theme> &Theme::all()
{
    static const std::vector<Theme> themes = [] {
        std::vector<Theme> list(3);
        Theme &b = list[0];
        b.id = QStringLiteral("brolga");
        b.name = QStringLiteral("Brolga");
        b.blurb = QStringLiteral("Deep navy and amber \u2014 the Saltbush Production house palette.");
        b.isHouseTheme = true;
        b.dark = 0x0E1729, b.darkMid = 0x16233D, b.darkLift = 0x22355A;
        b.paper = 0xF7F5F2, b.paperWarm = 0xEFEAE2, b.ink = 0x0C0A09, b.rule = 0xE3DFD8, b.muted = 0x6B7280;
        b.accentOnDark = 0xF5B335, b.accentOnLight = 0xA16207;
        b.surfaceDark = 0x16233D, b.fieldDark = 0x101B31, b.hairlineDark = 0x2A3A57;
        b.textPrimaryDark = 0xF3F1EE, b.textSecondaryDark = 0x9BA6BA;
        b.positiveLight = 0x1E7A46, b.positiveDark = 0x3EBB7C, b.negativeLight = 0xC0392B, b.negativeDark = 0xE8695A;
        b.chartPrimaryLight = 0x0E1729, b.chartPrimaryDark = 0x8FA9D6;
        b.chartAccentLight = 0xA16207, b.chartAccentDark = 0xF5B335;

        Theme &c = list[1];
        c.id = QStringLiteral("classic");
        c.name = QStringLiteral("Classic");
        c.blurb = QStringLiteral("The original Brolga blue, with an amber interest series.");
        c.dark = 0x12245C, c.darkMid = 0x1A3D99, c.darkLift = 0x2A6BEB;
        c.paper = 0xF7F8FA, c.paperWarm = 0xEDF0F5, c.ink = 0x0F172A, c.rule = 0xDDE3EC, c.muted = 0x64748B;
        c.accentOnDark = 0x8FB8FF, c.accentOnLight = 0x1A3D99;
        c.surfaceDark = 0x16224A, c.fieldDark = 0x101A3B, c.hairlineDark = 0x2B3A66;
        c.textPrimaryDark = 0xF1F4F9, c.textSecondaryDark = 0x9AA8C4;
        c.positiveLight = 0x0F7A3D, c.positiveDark = 0x3FBF7A, c.negativeLight = 0xC23A3A, c.negativeDark = 0xE97070;
        c.chartPrimaryLight = 0x1A3D99, c.chartPrimaryDark = 0x8FB8FF;
        c.chartAccentLight = 0xB8700F, c.chartAccentDark = 0xE8A854;

        Theme &s = list[2];
        s.id = QStringLiteral("slate");
        s.name = QStringLiteral("Slate");
        s.blurb = QStringLiteral("Neutral graphite and teal \u2014 sits back behind your own branding.");
        s.dark = 0x1F2937, s.darkMid = 0x273343, s.darkLift = 0x374151;
        s.paper = 0xF7F8F8, s.paperWarm = 0xECEEEF, s.ink = 0x111827, s.rule = 0xE0E3E6, s.muted = 0x6B7280;
        s.accentOnDark = 0x5EEAD4, s.accentOnLight = 0x0F766E;
        s.surfaceDark = 0x273343, s.fieldDark = 0x1B2531, s.hairlineDark = 0x3B4756;
        s.textPrimaryDark = 0xF2F4F5, s.textSecondaryDark = 0x9CA6B2;
        s.positiveLight = 0x15803D, s.positiveDark = 0x4ADE80, s.negativeLight = 0xB91C1C, s.negativeDark = 0xEF7C7C;
        s.chartPrimaryLight = 0x1F2937, s.chartPrimaryDark = 0x9DB0C6;
        s.chartAccentLight = 0x0F766E, s.chartAccentDark = 0x5EEAD4;
        return list;
    }();
    return themes;
}

const Theme &Theme::house() { return all().front(); }

const Theme &Theme::named(const QString &id)
{
    for (const Theme &t : all())
        if (t.id == id)
            return t;
    return house();
}

} // namespace brolga
