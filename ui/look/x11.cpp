// SPDX-License-Identifier: MIT
// What the program asks of the window system itself: on X11 by its own requests
// (the icon property, frame extents, skip-taskbar, flush); elsewhere through Qt.
#include "ui/look/x11.h"

#include "ui/look/placement.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QImage>
#include <QPlatformSurfaceEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <utility>

namespace numora::look {

namespace {

xcb_connection_t *x11connection()
{
    // The offscreen platform answers to the X11 interface too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internatom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::uint16_t(qstrlen(name)), name), nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

}  // namespace

void flushwindowsystem()
{
    if (xcb_connection_t *connection = x11connection())
        xcb_flush(connection);
}

IconAnimation::IconAnimation(std::vector<QIcon> frames) : frames_(std::move(frames))
{
    xcb_connection_t *connection = x11connection();
    if (!connection)
        return;
    iconatom_ = internatom(connection, "_NET_WM_ICON");
    if (iconatom_ == XCB_ATOM_NONE)
        return;
    // The property holds each size as its width, its height and its pixels, row by row,
    // in non-premultiplied ARGB.
    for (const QIcon &icon : frames_) {
        std::vector<std::uint32_t> data;
        for (const QSize size : icon.availableSizes()) {
            const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            data.push_back(std::uint32_t(image.width()));
            data.push_back(std::uint32_t(image.height()));
            for (int y = 0; y < image.height(); ++y) {
                const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
                data.insert(data.end(), line, line + image.width());
            }
        }
        x11frames_.push_back(std::move(data));
    }
}

void IconAnimation::show(QWidget &window, int frame) const
{
    xcb_connection_t *connection = x11connection();
    if (!connection || x11frames_.empty() || !window.windowHandle()) {
        window.setWindowIcon(frames_.at(std::size_t(frame)));
        return;
    }
    const std::vector<std::uint32_t> &data = x11frames_.at(std::size_t(frame));
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), iconatom_, XCB_ATOM_CARDINAL,
                        32, std::uint32_t(data.size()), data.data());
    xcb_flush(connection);  // the frame is shown at its tick, not with a later request
}

namespace {

// The frame the window manager drew around the last of our windows it framed: the
// next window most likely gets the same.
QMargins lastframe;

// Moves a window centred by its client area to where it is centred as a whole, once
// the window manager has told the size of its frame (by setting _NET_FRAME_EXTENTS).
class Recentring : public QObject, public QAbstractNativeEventFilter {
public:
    Recentring(QWidget &window, xcb_connection_t *connection, QPoint placed)
        : QObject(&window), window_(&window), placed_(placed), extents_(internatom(connection, "_NET_FRAME_EXTENTS"))
    {
        qApp->installNativeEventFilter(this);
    }
    ~Recentring() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t" || !window_ || !window_->internalWinId())
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (notify->atom == extents_ && notify->window == xcb_window_t(window_->internalWinId()))
            // Qt reads the new frame after this event; the window moves once it has.
            QTimer::singleShot(0, this, [this] { recentre(); });
        return false;
    }

private:
    void recentre()
    {
        QWindow *handle = window_ ? window_->windowHandle() : nullptr;
        if (!handle || !window_->isVisible()) {
            deleteLater();
            return;
        }
        const QMargins frame = handle->frameMargins();
        // A window manager may tell an empty frame before the one it draws: the window
        // waits for that one.
        if (frame.isNull())
            return;
        lastframe = frame;
        // Moved meanwhile, by the player or the window manager: left where it is.
        // The client area is placed, as at first: window managers differ in how they
        // take a frame's position once the window is on the screen.
        const QPoint centred = centreonscreen(window_->size(), window_->screen()->availableGeometry(), frame);
        if (window_->geometry().topLeft() == placed_ && centred != placed_)
            window_->setGeometry(QRect(centred, window_->size()));
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPoint placed_;
    xcb_atom_t extents_;
};

}  // namespace

void centre(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QPoint topleft = centreonscreen(window.size(), screen->availableGeometry(), lastframe);
    window.setGeometry(QRect(topleft, window.size()));
    if (xcb_connection_t *connection = x11connection())
        new Recentring(window, connection, topleft);
}

void skiptaskbar(QWidget &window)
{
    xcb_connection_t *connection = x11connection();
    if (!connection)
        return;
    const xcb_atom_t states[] = {internatom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                 internatom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()),
                        internatom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 2, states);
}

namespace {

std::array<xcb_atom_t, 2> desktopfileproperties(xcb_connection_t *connection)
{
    return {internatom(connection, "_KDE_NET_WM_DESKTOP_FILE"), internatom(connection, "_GTK_APPLICATION_ID")};
}

class WindowIconKeeper : public QObject {
public:
    WindowIconKeeper(QObject *parent, xcb_connection_t *connection)
        : QObject(parent), connection_(connection), names_(desktopfileproperties(connection))
    {
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::PlatformSurface &&
            static_cast<QPlatformSurfaceEvent *>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated)
            if (const auto *window = qobject_cast<QWindow *>(object); window && window->isTopLevel())
                for (const xcb_atom_t name : names_)
                    xcb_delete_property(connection_, xcb_window_t(window->winId()), name);
        return false;
    }

private:
    xcb_connection_t *connection_;
    std::array<xcb_atom_t, 2> names_;
};

}  // namespace

void keepwindowicons()
{
    if (xcb_connection_t *connection = x11connection())
        qApp->installEventFilter(new WindowIconKeeper(qApp, connection));
}

}  // namespace numora::look
