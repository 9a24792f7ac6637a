// SPDX-License-Identifier: MIT
#include "look.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QImage>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <utility>

namespace numora::look {

namespace {

QFont font(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(points * 96 / 72));
    f.setBold(bold);
    f.setStyleHint(family.contains("Serif") ? QFont::Serif : QFont::SansSerif);
    return f;
}

}  // namespace

QFont sans(double points, bool bold)
{
    return font(QStringLiteral("Liberation Sans"), points, bold);
}
QFont serif(double points, bool bold)
{
    return font(QStringLiteral("Liberation Serif"), points, bold);
}

void preparedesktop()
{
    // A platform theme or style named in the environment (qt6ct and the like) is there
    // to restyle programs, which this one does not allow. Loaded all the same and told
    // to keep off the desktop's settings, qt6ct answers its other hints, the dialog
    // buttons' layout among them, with values it never set.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
    QApplication::setDesktopSettingsAware(false);
    // A font resolution above 96 dots per inch (KDE's forced font DPI, a scale factor
    // rounded down) would widen the menu bar's spacing and the style's margins inside a
    // layout that stays in pixels.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
}

QPalette palette()
{
    // Fusion's light palette, written out: the style's own standard palette follows the
    // desktop's colour scheme.
    static const QPalette fixed = [] {
        const QColor face(239, 239, 239);
        const QColor dark = face.darker(150), mid = face.darker(130), shadow = dark.darker(135);
        QPalette p(Qt::black, face, face.lighter(150), dark, mid, Qt::black, Qt::white);
        p.setBrush(QPalette::Midlight, mid.lighter(110));
        p.setBrush(QPalette::Button, face);
        p.setBrush(QPalette::Shadow, shadow);
        p.setBrush(QPalette::HighlightedText, Qt::white);
        const QColor disabledtext(190, 190, 190);
        p.setBrush(QPalette::Disabled, QPalette::Text, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::WindowText, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledtext);
        p.setBrush(QPalette::Disabled, QPalette::Base, face);
        p.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
        p.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
        p.setBrush(QPalette::Active, QPalette::Highlight, QColor(48, 140, 198));
        p.setBrush(QPalette::Inactive, QPalette::Highlight, QColor(48, 140, 198));
        p.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
        // Every role counts as set, so nothing is filled in from a desktop palette.
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                p.setBrush(g, r, p.brush(g, r));
            }
        return p;
    }();
    return fixed;
}

namespace {

class Style : public QProxyStyle {
public:
    Style() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returned) const override
    {
        if (hint == SH_MessageBox_CenterButtons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

}  // namespace

void setupapplication(QApplication &app)
{
    // Set after the application exists, so they win over QT_STYLE_OVERRIDE and the
    // theme's per-class fonts and palettes.
    app.setStyle(new Style);
    app.setPalette(palette());
    app.setFont(sans(8.25));
    QToolTip::setPalette(palette());
    QToolTip::setFont(sans(8.25));
}

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

QMessageBox *messagebox(const QString &text, QWidget *parent)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Numora"), text, QMessageBox::NoButton, parent);
    // Without an icon the box still keeps an empty column for one; the text starts at
    // the margin instead.
    if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
        for (int i = grid->count() - 1; i >= 0; --i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            if (column == 0 && grid->itemAt(i)->spacerItem())
                delete grid->takeAt(i);
        }
    // Desktop themes give the standard button an icon or an access key; the box shows
    // a plain OK of the classic size.
    auto *ok = new ColorButton(QStringLiteral("OK"));
    ok->setcolor(palette().color(QPalette::Button));
    ok->setFixedSize(75, 23);
    box->addButton(ok, QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

QPixmap picture(const QString &resource, qreal devicepixelratio)
{
    const QString twice = resource.chopped(4) + QStringLiteral("@2x.png");
    const bool large = devicepixelratio >= 1.5 && QFile::exists(twice);
    QPixmap drawn(large ? twice : resource);
    const QSize size = large ? drawn.size() / 2 : drawn.size();
    if (devicepixelratio == (large ? 2 : 1)) {
        drawn.setDevicePixelRatio(devicepixelratio);
        return drawn;
    }
    QPixmap scaled = drawn.scaled(size * devicepixelratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicepixelratio);
    return scaled;
}

QIcon icon(const QString &resource)
{
    QIcon icon(resource);
    const QString stem = resource.chopped(4);
    for (const char *suffix : {"-16", "-48", "-64", "@2x"}) {
        // QIcon may have found the drawing at twice the size by itself.
        const QString file = stem + QLatin1String(suffix) + QStringLiteral(".png");
        if (QFile::exists(file) && !icon.availableSizes().contains(QImageReader(file).size()))
            icon.addFile(file);
    }
    return icon;
}

QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame)
{
    const QPoint corner(frame.left(), frame.top());
    QRect outer(wanted - corner, client.grownBy(frame));
    if (outer.right() > available.right())
        outer.moveRight(available.right());
    if (outer.bottom() > available.bottom())
        outer.moveBottom(available.bottom());
    if (outer.left() < available.left())
        outer.moveLeft(available.left());
    if (outer.top() < available.top())
        outer.moveTop(available.top());
    return outer.topLeft() + corner;
}

QPoint centreonscreen(QSize client, const QRect &available, QMargins frame)
{
    const QSize outer = client.grownBy(frame);
    const QPoint topleft(available.left() + (available.width() - outer.width()) / 2,
                         available.top() + (available.height() - outer.height()) / 2);
    return placeonscreen(topleft + QPoint(frame.left(), frame.top()), client, available, frame);
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

DevicePixels::DevicePixels(QPainter &painter)
    : painter_(painter), todevice_(painter.deviceTransform()), world_(painter.worldTransform())
{
    // deviceTransform() is the world transform followed by the device's own (its pixel
    // ratio and the widget's place in the window); undoing it leaves device pixels.
    devicespace_ = todevice_.inverted() * world_;
}

QRect DevicePixels::map(const QRect &logical) const
{
    const QRectF r = todevice_.mapRect(QRectF(logical));
    const QPoint topleft(qRound(r.left()), qRound(r.top()));
    return QRect(topleft, QPoint(qRound(r.right()), qRound(r.bottom())) - QPoint(1, 1));
}

int DevicePixels::width(int designpixels) const
{
    return qMax(1, qRound(todevice_.m11() * designpixels));
}

void DevicePixels::fill(const QRect &device, const QColor &color) const
{
    if (device.isEmpty() || !color.isValid())
        return;
    painter_.setWorldTransform(devicespace_);
    painter_.fillRect(device, color);
    painter_.setWorldTransform(world_);
}

void DevicePixels::ring(const QRect &device, int width, const QColor &topleft, const QColor &bottomright) const
{
    const int shorter = bottomright.isValid() ? width : 0;
    const int x = device.x(), y = device.y(), w = device.width(), h = device.height();
    fill(QRect(x, y, w - shorter, width), topleft);
    fill(QRect(x, y, width, h - shorter), topleft);
    fill(QRect(x, y + h - width, w, width), bottomright);
    fill(QRect(x + w - width, y, width, h), bottomright);
}

QRect DevicePixels::sunkenborder(const QRect &device, const QPalette &palette) const
{
    const int line = width(1);
    ring(device, line, palette.color(QPalette::Dark), palette.color(QPalette::Light));
    const QRect inner = device.adjusted(line, line, -line, -line);
    ring(inner, line, palette.color(QPalette::Shadow), palette.color(QPalette::Midlight));
    return inner.adjusted(line, line, -line, -line);
}

void DevicePixels::dottedring(const QRect &device, int width, const QColor &color) const
{
    // The way round, pixel by pixel: along the top, down the right side, back along the
    // bottom and up the left side; the right and bottom sides lie on the last pixels.
    const int w = device.width() - width, h = device.height() - width;
    if (w <= 0 || h <= 0)
        return;
    const auto dot = [&](int along, const QRect &square) {
        if ((along / width) % 3 == 1)
            fill(square, color);
    };
    const int x = device.x(), y = device.y();
    for (int i = 0; i < w; ++i)
        dot(i, QRect(x + i, y, 1, width));
    for (int i = 0; i < h; ++i)
        dot(w + i, QRect(x + w, y + i, width, 1));
    for (int i = 0; i < w; ++i)
        dot(w + h + i, QRect(x + w - i, y + h, 1, width));
    for (int i = 0; i <= h; ++i)  // back to the first pixel, which the way round may mark again
        dot(2 * w + h + i, QRect(x, y + h - i, width, 1));
}

PictureBox::PictureBox(const QString &resource, QWidget *parent) : QLabel(parent), resource_(resource)
{
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setPixmap(QPixmap(resource));  // the size, in logical pixels, and what screen readers see
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const DevicePixels device(p);
    const QRect inside = device.sunkenborder(device.map(rect()), palette());
    const QPixmap shown = look::picture(resource_, devicePixelRatioF());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setWorldTransform(QTransform());
    // In device pixels: the picture fills the inside exactly, whatever the rounding.
    const QTransform back = p.deviceTransform().inverted();
    p.drawPixmap(back.mapRect(QRectF(inside)), shown, QRectF(shown.rect()));
}

CaptionFrame::CaptionFrame(const QString &caption, const QColor &captioncolor, QWidget *parent)
    : QWidget(parent), caption_(caption), captioncolor_(captioncolor)
{
    setAccessibleName(caption);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFontMetrics metrics(font());
    const DevicePixels device(p);
    const int line = device.width(1);
    // An etched line: dark with light below and to the right of it. The frame leaves
    // one design pixel of the widget free on the right and at the bottom.
    const QRect box = device.map(rect().adjusted(0, metrics.height() / 2, -1, -1));
    device.ring(box, line, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    device.ring(box.adjusted(line, line, -line, -line), line, palette().color(QPalette::Light), QColor());

    // The caption interrupts the top line, with a little of the face on either side.
    constexpr int kCaptionLeft = 8, kGap = 2;
    const QRect text(kCaptionLeft, 0, metrics.horizontalAdvance(caption_), metrics.height());
    device.fill(device.map(text.adjusted(-kGap, 0, kGap, 0)), palette().color(QPalette::Window));
    p.setPen(captioncolor_);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, caption_);
}

ColorButton::ColorButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    // The default button's frame moves when the focus enters or leaves a push button.
    // Its own focus changes repaint it anyway, and one of them comes from its destructor,
    // when it is no longer a push button.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) {
        if (old != this && now != this && isDefault())
            update();
    });
}

bool ColorButton::carriesdefaultframe() const
{
    if (hasFocus())
        return isDefault() || autoDefault();
    if (!isDefault())
        return false;
    const auto *focused = qobject_cast<const QPushButton *>(QApplication::focusWidget());
    return !focused || focused->window() != window();
}

void ColorButton::setcolor(const QColor &color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
    emit colorchanged();
}

void ColorButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const DevicePixels device(p);
    const int line = device.width(1);
    const bool sunken = isDown() || isChecked();
    QRect outer = device.map(rect());
    QRect face = rect();  // in logical pixels, for the text
    if (carriesdefaultframe()) {
        device.ring(outer, line, Qt::black);
        outer.adjust(line, line, -line, -line);
        face.adjust(1, 1, -1, -1);
    }
    device.fill(outer, color_);
    const QColor light = Qt::white, shadow = color_.darker(200), dark = Qt::black;
    if (sunken) {
        device.ring(outer, line, shadow);
    } else {
        device.ring(outer, line, light, dark);
        device.ring(outer.adjusted(line, line, -line, -line), line, QColor(), shadow);
    }

    QRect textrect = face;
    if (sunken)
        textrect.translate(1, 1);
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(palette().color(QPalette::Active, QPalette::ButtonText));
        p.drawText(textrect, Qt::AlignCenter, text());
    } else {
        // Etched grey text, as disabled buttons have always looked.
        p.setPen(Qt::white);
        p.drawText(textrect.translated(1, 1), Qt::AlignCenter, text());
        p.setPen(color_.darker(170));
        p.drawText(textrect, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        // Three pixels inside the bevel, but never across the text of a wide caption.
        QRect focus = face.adjusted(3, 3, -3, -3);
        const QRect used = p.fontMetrics().boundingRect(textrect, Qt::AlignCenter, text());
        focus.setLeft(qMax(face.left() + 1, qMin(focus.left(), used.left() - 2)));
        focus.setRight(qMin(face.right() - 1, qMax(focus.right(), used.right() + 2)));
        device.dottedring(device.map(focus), line, Qt::black);
    }
}

}  // namespace numora::look
