#pragma once

#include "core/ServerAddress.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QRect>
#include <QString>

#include <optional>

namespace brolga {

// Owns every key Brolga keeps in the user's preferences, so no other code spells a key.
//
// The keys live in one JSON file of Brolga's own ("Brolga.json" in the per-user configuration folder),
// written only through SafeFile and never parsed into anything but JSON values. Only one Brolga runs per
// configuration folder (ConfigFolderLock), so this process is the file's one writer. Each change is written at
// once, merged key by key into what is on disk at that moment, so the program's other Settings objects keep
// their keys; a key that did not change is never written. An unreadable file is copied aside before anything
// replaces it, and what can be read (the last good copy, members of the damaged text) is used meanwhile.
class Settings {
public:
    enum class Write { written, failed };

    // The user's file.
    Settings();
    // Another file; the last good copy sits beside it.
    explicit Settings(const QString &filePath);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // The stored record's JSON bytes: recovered from the last good copy and the damaged text when the stored
    // one cannot be read.
    std::optional<QByteArray> storedState() const;
    Write setStoredState(const QByteArray &bytes);

    bool hasLaunched() const;
    void setHasLaunched(bool value);

    bool coachMarkShown() const;
    void setCoachMarkShown(bool value);

    // The Repayment tab offers its lender fees card with the switch off; off until the user turns it on, so
    // the tab looks as it always did.
    bool detailedInputs() const;
    void setDetailedInputs(bool value);

    std::optional<QDateTime> updateLastCheck() const;
    void setUpdateLastCheck(const QDateTime &when);

    QString updateDismissedVersion() const;
    void setUpdateDismissedVersion(const QString &version);

    // The keys that show and hide Brolga from any program, as portable text ("Ctrl+Alt+B" until the user
    // changes them); empty when the user turned them off.
    QString globalShortcut() const;
    void setGlobalShortcut(const QString &keys);

    // The client open when the program last ran, by its id in the client book; absent when none was.
    std::optional<qint64> openClient() const;
    void setOpenClient(std::optional<qint64> id);

    // Where the client book lives: this computer's file (false, the default) or the office's server, whose host,
    // port, database and user are kept whichever is chosen. The password never comes here.
    bool clientBookOnServer() const;
    void setClientBookOnServer(bool value);
    ServerAddress officeServer() const;
    void setOfficeServer(const ServerAddress &address);

    // The calculator window's saved frame under its autosave name: the content area in screen coordinates,
    // stored as the text "x y width height". Absent when none was saved or the text is not four whole
    // numbers with a positive size (an older binary form among them), or an edge lies beyond
    // maxFrameCoordinate.
    std::optional<QRect> windowFrame() const;
    void setWindowFrame(const QRect &frame);

    // Writes changes still waiting (after a failure) now.
    Write sync();
    bool hasPendingChanges() const { return !pending_.isEmpty(); }
    // Removes the temporaries a writer killed mid-save left behind. The first write does the same.
    void removeLeftovers();
    QString lastError() const { return lastError_; }

    // Set when the stored file could not be read as it was (damaged, cut short, too large).
    bool wasUnreadable() const;
    // Why, in a few words (for the report tool).
    QString unreadableReason() const;

    QString filePath() const { return path_; }
    static QString defaultPath();
    static QString lastGoodPath(const QString &filePath);

    static constexpr auto stateKey = "Brolga.state.v1";
    static constexpr auto hasLaunchedKey = "Brolga.hasLaunched";
    static constexpr auto coachMarkShownKey = "Brolga.coachMarkShown";
    static constexpr auto updateLastCheckKey = "Brolga.updateLastCheck";
    static constexpr auto updateDismissedVersionKey = "Brolga.updateDismissedVersion";
    static constexpr auto windowFrameKey = "BrolgaWindow";
    static constexpr auto openClientKey = "Brolga.openClient";
    // Copies of unreadable files kept beside the file, the newest ones; and the largest one copied at all.
    static constexpr int keptUnreadableCopies = 3;
    static constexpr qint64 maxUnreadableCopyBytes = 64 * 1024 * 1024;
    // The farthest a window edge can be (Qt's largest widget size): every frame sum stays well inside int.
    static constexpr qint64 maxFrameCoordinate = (1 << 24) - 1;
    static constexpr auto globalShortcutKey = "Brolga.globalShortcut";
    static constexpr auto detailedInputsKey = "Brolga.detailedInputs";
    static constexpr auto clientBookOnServerKey = "Brolga.clientBookOnServer";
    static constexpr auto officeServerKey = "Brolga.officeServer";
    static constexpr auto defaultGlobalShortcut = "Ctrl+Alt+B";

    static constexpr char16_t recoveredNotice[] =
        u"Brolga could not read part of your saved settings; it kept a copy and restored what it could.";

private:
    QJsonValue value(const char *key) const;
    Write set(const char *key, const QJsonValue &value);
    void refresh() const;
    void load() const;
    bool keepDamagedAside();

    QString path_;
    QString lastError_;
    QJsonObject pending_; // our changes not yet on disk

    // What is on disk, as of the signature below.
    mutable QJsonObject values_;
    mutable QByteArray fileBytes_; // the file's bytes when it parsed whole: the next last good copy
    mutable QByteArray signature_;
    mutable bool loaded_ = false;
    mutable bool fileIsGood_ = false; // the file on disk parsed whole (worth keeping as the last good)
    mutable bool damaged_ = false;    // the file or its record could not be read
    mutable QString damagedReason_;
    bool cleanedUp_ = false;
    QByteArray keptAside_; // the signature of the unreadable file last copied aside
};

} // namespace brolga
