#include "platform/GlobalShortcut.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <array>
#include <cstdlib>
#include <optional>

#if defined(BROLGA_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define BROLGA_X11 1
#elif defined(Q_OS_WIN)
#include <windows.h>
#elif defined(Q_OS_MACOS)
#include <Carbon/Carbon.h>
#endif

namespace brolga {

namespace {

bool hasCommandModifier(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

#if defined(BROLGA_X11)
xcb_connection_t *connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

// Caps Lock and Num Lock (Mod2 on every common layout) must not stop the keys from working.
constexpr std::array<uint16_t, 4> lockVariants{0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                               XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

std::optional<xcb_keysym_t> keysym(int key)
{
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return xcb_keysym_t(0xffbe + (key - Qt::Key_F1));
    // Printable Latin-1 keys have their own character as keysym, in lower case for letters.
    if (key >= 0x20 && key <= 0x7e)
        return xcb_keysym_t(QChar(key).toLower().unicode());
    return std::nullopt;
}

xcb_keycode_t keycode(xcb_connection_t *c, xcb_keysym_t sym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    auto *reply = xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perKey = reply->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int k = 0; k < count && !found; ++k)
        for (int i = 0; i < perKey; ++i)
            if (syms[k * perKey + i] == sym) {
                found = xcb_keycode_t(first + k);
                break;
            }
    free(reply);
    return found;
}

uint16_t modifierMask(Qt::KeyboardModifiers modifiers)
{
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & Qt::MetaModifier)
        mask |= XCB_MOD_MASK_4;
    return mask;
}
#elif defined(Q_OS_WIN)
constexpr int hotKeyId = 0xB061;
#elif defined(Q_OS_MACOS)
constexpr OSType hotKeySignature = 'Brlg';

// Carbon's virtual key codes are positions on the ANSI keyboard.
std::optional<UInt32> virtualKey(int key)
{
    static constexpr std::pair<char, UInt32> codes[] = {
        {'A', 0x00}, {'S', 0x01}, {'D', 0x02}, {'F', 0x03}, {'H', 0x04}, {'G', 0x05}, {'Z', 0x06}, {'X', 0x07},
        {'C', 0x08}, {'V', 0x09}, {'B', 0x0B}, {'Q', 0x0C}, {'W', 0x0D}, {'E', 0x0E}, {'R', 0x0F}, {'Y', 0x10},
        {'T', 0x11}, {'1', 0x12}, {'2', 0x13}, {'3', 0x14}, {'4', 0x15}, {'6', 0x16}, {'5', 0x17}, {'9', 0x19},
        {'7', 0x1A}, {'8', 0x1C}, {'0', 0x1D}, {'O', 0x1F}, {'U', 0x20}, {'I', 0x22}, {'P', 0x23}, {'L', 0x25},
        {'J', 0x26}, {'K', 0x28}, {'N', 0x2D}, {'M', 0x2E}};
    for (const auto &[character, code] : codes)
        if (key == character)
            return code;
    return std::nullopt;
}

OSStatus onHotKey(EventHandlerCallRef, EventRef event, void *shortcut)
{
    EventHotKeyID id{};
    GetEventParameter(event, kEventParamDirectObject, typeEventHotKeyID, nullptr, sizeof(id), nullptr, &id);
    if (id.signature == hotKeySignature)
        Q_EMIT static_cast<GlobalShortcut *>(shortcut)->activated();
    return noErr;
}
#endif

} // namespace

GlobalShortcut::GlobalShortcut(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

GlobalShortcut::~GlobalShortcut()
{
    release();
#if defined(Q_OS_MACOS)
    if (platformHandler_)
        RemoveEventHandler(static_cast<EventHandlerRef>(platformHandler_));
#endif
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool GlobalShortcut::isSupported()
{
#if defined(BROLGA_X11)
    return QGuiApplication::platformName() == QLatin1String("xcb");
#elif defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return false;
#endif
}

GlobalShortcut::Status GlobalShortcut::set(const QKeySequence &keys)
{
    release();
    keys_ = keys;
    if (keys.isEmpty())
        status_ = Status::off;
    else if (!isSupported())
        status_ = Status::unsupported;
    else if (!hasCommandModifier(keys[0].keyboardModifiers()))
        status_ = Status::invalid; // a bare key would be stolen from every program's typing
    else
        status_ = grab(keys[0]);
    return status_;
}

GlobalShortcut::Status GlobalShortcut::grab(QKeyCombination combination)
{
    const int key = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
#if defined(BROLGA_X11)
    xcb_connection_t *c = connection();
    const auto sym = keysym(key);
    const xcb_keycode_t code = c && sym ? keycode(c, *sym) : 0;
    if (!code)
        return Status::invalid;
    const uint16_t mask = modifierMask(modifiers);
    std::array<xcb_void_cookie_t, lockVariants.size()> cookies{};
    for (std::size_t i = 0; i < lockVariants.size(); ++i)
        cookies[i] = xcb_grab_key_checked(c, 1, rootWindow(c), mask | lockVariants[i], code, XCB_GRAB_MODE_ASYNC,
                                          XCB_GRAB_MODE_ASYNC);
    bool refused = false;
    for (const xcb_void_cookie_t &cookie : cookies)
        if (xcb_generic_error_t *error = xcb_request_check(c, cookie)) {
            refused = true; // BadAccess: another client holds it
            free(error);
        }
    nativeKey_ = code;
    nativeModifiers_ = mask;
    if (refused) {
        release();
        return Status::taken;
    }
    return Status::active;
#elif defined(Q_OS_WIN)
    UINT vk = 0;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        vk = UINT(key);
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        vk = VK_F1 + UINT(key - Qt::Key_F1);
    if (!vk)
        return Status::invalid;
    UINT mods = MOD_NOREPEAT;
    if (modifiers & Qt::ControlModifier)
        mods |= MOD_CONTROL;
    if (modifiers & Qt::AltModifier)
        mods |= MOD_ALT;
    if (modifiers & Qt::ShiftModifier)
        mods |= MOD_SHIFT;
    if (modifiers & Qt::MetaModifier)
        mods |= MOD_WIN;
    if (!RegisterHotKey(nullptr, hotKeyId, mods, vk))
        return Status::taken;
    nativeKey_ = vk;
    return Status::active;
#elif defined(Q_OS_MACOS)
    const auto code = virtualKey(key);
    if (!code)
        return Status::invalid;
    if (!platformHandler_) {
        const EventTypeSpec pressed{kEventClassKeyboard, kEventHotKeyPressed};
        EventHandlerRef handler = nullptr;
        InstallApplicationEventHandler(NewEventHandlerUPP(onHotKey), 1, &pressed, this, &handler);
        platformHandler_ = handler;
    }
    UInt32 mods = 0; // Qt's Control is the Command key here, its Meta the Control key
    if (modifiers & Qt::ControlModifier)
        mods |= cmdKey;
    if (modifiers & Qt::AltModifier)
        mods |= optionKey;
    if (modifiers & Qt::ShiftModifier)
        mods |= shiftKey;
    if (modifiers & Qt::MetaModifier)
        mods |= controlKey;
    EventHotKeyRef ref = nullptr;
    if (RegisterEventHotKey(*code, mods, EventHotKeyID{hotKeySignature, 1}, GetApplicationEventTarget(), 0, &ref) !=
        noErr)
        return Status::taken;
    handle_ = ref;
    return Status::active;
#else
    Q_UNUSED(key);
    Q_UNUSED(modifiers);
    return Status::unsupported;
#endif
}

void GlobalShortcut::release()
{
#if defined(BROLGA_X11)
    if (nativeKey_)
        if (xcb_connection_t *c = connection()) {
            for (uint16_t lock : lockVariants)
                xcb_ungrab_key(c, xcb_keycode_t(nativeKey_), rootWindow(c), uint16_t(nativeModifiers_ | lock));
            xcb_flush(c);
        }
#elif defined(Q_OS_WIN)
    if (nativeKey_)
        UnregisterHotKey(nullptr, hotKeyId);
#elif defined(Q_OS_MACOS)
    if (handle_)
        UnregisterEventHotKey(static_cast<EventHotKeyRef>(handle_));
    handle_ = nullptr;
#endif
    nativeKey_ = 0;
    nativeModifiers_ = 0;
}

bool GlobalShortcut::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result)
{
    Q_UNUSED(result);
    if (status_ != Status::active)
        return false;
#if defined(BROLGA_X11)
    if (eventType != QByteArrayLiteral("xcb_generic_event_t"))
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *press = reinterpret_cast<const xcb_key_press_event_t *>(event);
    // The state also carries the mouse buttons and the locks.
    const uint16_t held = press->state & 0xff & ~(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2);
    if (press->detail != nativeKey_ || held != nativeModifiers_)
        return false;
    Q_EMIT activated();
    return true;
#elif defined(Q_OS_WIN)
    if (eventType != QByteArrayLiteral("windows_generic_MSG"))
        return false;
    const auto *msg = static_cast<const MSG *>(message);
    if (msg->message != WM_HOTKEY || msg->wParam != WPARAM(hotKeyId))
        return false;
    Q_EMIT activated();
    return true;
#else
    // macOS hears of its hot key through the Carbon handler.
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}

} // namespace brolga
