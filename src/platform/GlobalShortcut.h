#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeySequence>
#include <QObject>

namespace brolga {

// One key combination that reaches Brolga from whatever program has the keyboard: a key grab on the root
// window under X11, RegisterHotKey on Windows, Carbon's RegisterEventHotKey on macOS. Wayland gives no
// program such a grab. The Windows and macOS parts are kept small: they cannot be built on Linux.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    enum class Status {
        off,         // no keys given
        active,      // held: activated() follows each press
        taken,       // another program holds the combination
        invalid,     // no Ctrl, Alt or Meta in it, or a key this keyboard has not got
        unsupported, // the desktop lets no program have one (Wayland, no window system)
    };

    explicit GlobalShortcut(QObject *parent = nullptr);
    ~GlobalShortcut() override;

    // Lets go of the keys held so far, then takes the first combination of `keys`; empty keys turn it off.
    Status set(const QKeySequence &keys);
    Status status() const { return status_; }
    QKeySequence keys() const { return keys_; }

    static bool isSupported();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

Q_SIGNALS:
    void activated();

private:
    Status grab(QKeyCombination combination);
    void release();

    Status status_ = Status::off;
    QKeySequence keys_;
    // What the platform was given: the X key code and modifiers, the Windows hot-key id, the Carbon reference.
    quint32 nativeKey_ = 0;
    quint32 nativeModifiers_ = 0;
    void *handle_ = nullptr;
    void *platformHandler_ = nullptr;
};

} // namespace brolga
