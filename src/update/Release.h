#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace brolga {

// What the update service says about its current release. Only the version drives behaviour; the rest is
// kept so the offer can show it later.
struct Release {
    QString version;
    std::optional<QString> published;
    std::optional<QString> notes_en;
    std::optional<QString> notes_cn;
    std::optional<QString> download;

    // A JSON object with a text "version"; the other members may be missing or null but, when present,
    // must be text. Anything else (not JSON, not an object, a wrong type) gives nothing.
    // A version that is not plain digits and dots (at most 32 characters) makes no release either.
    static std::optional<Release> fromJson(const QByteArray &body);
    static bool isVersionText(const QString &text);
    static constexpr qsizetype maxVersionLength = 32;

    bool operator==(const Release &) const = default;
};

} // namespace brolga
