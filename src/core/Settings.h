#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QRect>
#include <QSettings>
#include <QString>

#include <optional>

namespace brolga {

// Owns every key Brolga keeps in the user's preferences, so no other code spells a key.
class Settings {
public:
    Settings();

    std::optional<QByteArray> storedState() const;
    void setStoredState(const QByteArray &bytes);

    bool hasLaunched() const;
    void setHasLaunched(bool value);

    bool coachMarkShown() const;
    void setCoachMarkShown(bool value);

    std::optional<QDateTime> updateLastCheck() const;
    void setUpdateLastCheck(const QDateTime &when);

    QString updateDismissedVersion() const;
    void setUpdateDismissedVersion(const QString &version);

    // The calculator window's saved frame under its autosave name: the content area in screen coordinates,
    // stored as the text "x y width height". Absent when none was saved or the text is not four whole
    // numbers with a positive size (an older binary form among them).
    std::optional<QRect> windowFrame() const;
    void setWindowFrame(const QRect &frame);

    // Writes pending changes to disk now.
    void sync();

    static constexpr auto stateKey = "Brolga.state.v1";
    static constexpr auto hasLaunchedKey = "Brolga.hasLaunched";
    static constexpr auto coachMarkShownKey = "Brolga.coachMarkShown";
    static constexpr auto updateLastCheckKey = "Brolga.updateLastCheck";
    static constexpr auto updateDismissedVersionKey = "Brolga.updateDismissedVersion";
    static constexpr auto windowFrameKey = "BrolgaWindow";

private:
    mutable QSettings settings_;
};

} // namespace brolga
