#include "platform/Platform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

#if defined(Q_OS_MACOS)
#include <objc/message.h>
#include <objc/runtime.h>
#endif

#if defined(BROLGA_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#define BROLGA_X11 1
#endif

namespace brolga::Platform {

#if defined(Q_OS_MACOS)
namespace {
template <class R = void *, class... Args> R send(void *target, const char *selector, Args... args)
{
    using Fn = R (*)(void *, SEL, Args...);
    return reinterpret_cast<Fn>(objc_msgSend)(target, sel_registerName(selector), args...);
}
} // namespace
#endif

void becomeAccessory()
{
#if defined(Q_OS_MACOS)
    void *app = send(reinterpret_cast<void *>(objc_getClass("NSApplication")), "sharedApplication");
    if (app)
        send<bool, long>(app, "setActivationPolicy:", 1L); // NSApplicationActivationPolicyAccessory
#endif
}

#if defined(BROLGA_X11)
namespace {
xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto cookie = xcb_intern_atom(c, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t result = reply->atom;
    free(reply);
    return result;
}

void sendToRoot(xcb_connection_t *c, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    int i = 0;
    for (uint32_t d : data)
        event.data.data32[i++] = d;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}
} // namespace
#endif

void setDesktopHints(QWidget *window, bool allDesktops, bool skipTaskbar)
{
    if (!window || !window->isWindow())
        return;
#if defined(Q_OS_MACOS)
    Q_UNUSED(skipTaskbar); // an accessory application has no Dock icon for any window
    if (!allDesktops)
        return;
    // NSView → NSWindow; can join all spaces | managed | full-screen auxiliary.
    void *view = reinterpret_cast<void *>(window->winId());
    if (void *nsWindow = view ? send(view, "window") : nullptr)
        send<void, unsigned long>(nsWindow, "setCollectionBehavior:", (1UL << 0) | (1UL << 2) | (1UL << 8));
#elif defined(BROLGA_X11)
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *c = x11->connection();
    // The native window's own id: the one the widget keeps is stale once Qt has made its window afresh (it
    // does on the first showing after the stays-on-top flag changed).
    const auto id = xcb_window_t(window->windowHandle() ? window->windowHandle()->winId() : window->winId());
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (!screen)
        return;
    const xcb_atom_t desktop = atom(c, "_NET_WM_DESKTOP");
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    if (desktop == XCB_ATOM_NONE || state == XCB_ATOM_NONE)
        return;
    constexpr uint32_t everyDesktop = 0xFFFFFFFFu;
    // Both the desktop "all" and the sticky state: window managers differ in which one they honour.
    const std::initializer_list<std::pair<xcb_atom_t, bool>> states{
        {atom(c, "_NET_WM_STATE_STICKY"), allDesktops},
        {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), skipTaskbar},
        {atom(c, "_NET_WM_STATE_SKIP_PAGER"), skipTaskbar},
    };

    bool mapped = false;
    if (auto *attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr)) {
        mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        free(attributes);
    }
    if (mapped) {
        if (allDesktops)
            sendToRoot(c, screen->root, id, desktop, {everyDesktop, 1});
        for (const auto &[name, on] : states)
            if (name != XCB_ATOM_NONE)
                sendToRoot(c, screen->root, id, state, {on ? 1u : 0u, name, 0, 1});
        xcb_flush(c);
        return;
    }

    // Not on screen yet: the client writes the properties itself, keeping any state Qt put there.
    if (allDesktops)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1, &everyDesktop);
    std::vector<xcb_atom_t> atoms;
    if (auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024), nullptr)) {
        if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto *data = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply));
            atoms.assign(data, data + xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t)));
        }
        free(reply);
    }
    for (const auto &[name, on] : states) {
        if (name == XCB_ATOM_NONE)
            continue;
        const auto found = std::find(atoms.begin(), atoms.end(), name);
        if (on && found == atoms.end())
            atoms.push_back(name);
        else if (!on && found != atoms.end())
            atoms.erase(found);
    }
    if (atoms.empty())
        xcb_delete_property(c, id, state);
    else
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                            atoms.data());
    xcb_flush(c);
#else
    Q_UNUSED(allDesktops);
    Q_UNUSED(skipTaskbar);
#endif
}

bool isCovered(const QWidget *window)
{
    if (!window || !window->isVisible() || !window->windowHandle())
        return false;
#if defined(BROLGA_X11)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    const xcb_screen_t *screen = c ? xcb_setup_roots_iterator(xcb_get_setup(c)).data : nullptr;
    const xcb_atom_t stacking = screen ? atom(c, "_NET_CLIENT_LIST_STACKING") : xcb_atom_t(XCB_ATOM_NONE);
    if (stacking == XCB_ATOM_NONE)
        return false;
    std::vector<xcb_window_t> order; // bottom to top
    if (auto *reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, screen->root, stacking, XCB_ATOM_WINDOW, 0, 4096), nullptr)) {
        if (reply->format == 32) {
            const auto *data = static_cast<const xcb_window_t *>(xcb_get_property_value(reply));
            order.assign(data, data + xcb_get_property_value_length(reply) / int(sizeof(xcb_window_t)));
        }
        free(reply);
    }
    const auto ours = std::find(order.begin(), order.end(), xcb_window_t(window->windowHandle()->winId()));
    if (ours == order.end())
        return false;
    const QRect mine = window->frameGeometry();
    // Our own windows (settings, All clients) over it are no other program's.
    std::vector<xcb_window_t> own;
    for (const QWindow *w : QGuiApplication::allWindows())
        if (w->handle())
            own.push_back(xcb_window_t(w->winId()));
    for (auto above = std::next(ours); above != order.end(); ++above) {
        if (std::find(own.begin(), own.end(), *above) != own.end())
            continue;
        // Minimised windows and those on other desktops stay in the list, unmapped.
        auto *attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, *above), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        auto *geometry = viewable ? xcb_get_geometry_reply(c, xcb_get_geometry(c, *above), nullptr) : nullptr;
        auto *origin =
            geometry
                ? xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, *above, screen->root, 0, 0), nullptr)
                : nullptr;
        const bool overlaps =
            origin && QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height).intersects(mine);
        free(origin);
        free(geometry);
        if (overlaps)
            return true;
    }
    return false;
#else
    return false;
#endif
}

#if defined(Q_OS_UNIX)
namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe calls here; the event loop does the rest.
    [[maybe_unused]] auto written = ::write(signalPipe[0], &byte, 1);
}
} // namespace
#endif

void onTerminationSignals(QObject *context, std::function<void()> handler)
{
#if defined(Q_OS_UNIX)
    if (signalPipe[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] auto got = ::read(signalPipe[1], &byte, 1);
        if (handler)
            handler();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A closed terminal or an ended session: the same orderly quit, pending save included.
    sigaction(SIGHUP, &action, nullptr);
#else
    Q_UNUSED(context);
    Q_UNUSED(handler);
#endif
}

bool waitForSystemTray(int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!QSystemTrayIcon::isSystemTrayAvailable()) {
        if (waited.elapsed() >= timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(250, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

} // namespace brolga::Platform
