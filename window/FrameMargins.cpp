#include "window/FrameMargins.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <QWindow>

#if ZENTAVO_WITH_XCB && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#endif

namespace zentavo {
namespace {

#if ZENTAVO_WITH_XCB && QT_CONFIG(xcb)

// How long a window manager that has promised to tell the frame may take.
constexpr qint64 AnswerTimeoutMs = 500;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// _NET_FRAME_EXTENTS of `window`: left, right, top, bottom.
std::optional<QMargins> FrameExtents(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t extents)
{
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return std::nullopt;
    const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
}

// A window manager holds the root window's SubstructureRedirect; one that
// follows the desktop conventions and lists _NET_REQUEST_FRAME_EXTENTS sets
// _NET_FRAME_EXTENTS on an unmapped window when asked.
std::optional<QMargins> AskWindowManager(xcb_connection_t* connection, xcb_window_t window)
{
    const char* const names[] = {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS",
                                 "_NET_FRAME_EXTENTS"};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, uint16_t(std::strlen(names[i])), names[i]);
    const auto geometry = Owned(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    xcb_atom_t atoms[3] = {};
    for (int i = 0; i < 3; ++i) {
        const auto atom = Owned(xcb_intern_atom_reply(connection, cookies[i], nullptr));
        if (!atom)
            return std::nullopt;
        atoms[i] = atom->atom;
    }
    const auto [supported, request, extents] = atoms;
    if (!geometry)
        return std::nullopt;
    const xcb_window_t root = geometry->root;

    const auto attributes = Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr));
    if (!attributes)
        return std::nullopt;
    if (!(attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT))
        return QMargins();  // no window manager: nothing is added

    const auto list = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!list || list->format != 32)
        return std::nullopt;
    const auto* first = static_cast<const xcb_atom_t*>(xcb_get_property_value(list.get()));
    const xcb_atom_t* last = first + xcb_get_property_value_length(list.get()) / 4;
    if (std::find(first, last, request) == last)
        return std::nullopt;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The answer is a property change, read by polling: the toolkit's own
    // event reader owns the connection's events.
    QElapsedTimer clock;
    clock.start();
    do {
        if (const std::optional<QMargins> frame = FrameExtents(connection, window, extents))
            return frame;
        QThread::usleep(500);
    } while (clock.elapsed() < AnswerTimeoutMs);
    return std::nullopt;
}

#endif

}  // namespace

std::optional<QMargins> FrameMarginsBeforeShow(QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    if (!handle)
        return std::nullopt;  // not created yet
    const QString platform = QGuiApplication::platformName();
#if ZENTAVO_WITH_XCB && QT_CONFIG(xcb)
    if (platform == QLatin1String("xcb")) {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return std::nullopt;
        return AskWindowManager(x11->connection(), xcb_window_t(window.winId()));
    }
#endif
    // The offscreen platform draws no frame but reserves its margins from
    // the window's creation on.
    if (platform == QLatin1String("offscreen"))
        return handle->frameMargins();
    return std::nullopt;
}

}  // namespace zentavo
