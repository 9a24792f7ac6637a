// SPDX-License-Identifier: MIT
#include "look.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <utility>

namespace numora::look {

namespace {

QFont font(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setStyleHint(family.contains("Serif") ? QFont::Serif : QFont::SansSerif);
    return f;
}

}  // namespace

QFont sans(double points, bool bold) { return font(QStringLiteral("Liberation Sans"), points, bold); }
QFont serif(double points, bool bold) { return font(QStringLiteral("Liberation Serif"), points, bold); }

void preparedesktop()
{
    // A platform theme or style named in the environment (qt6ct and the like) is there
    // to restyle programs, which this one does not allow. Loaded all the same and told
    // to keep off the desktop's settings, qt6ct answers its other hints, the dialog
    // buttons' layout among them, with values it never set.
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qunsetenv("QT_STYLE_OVERRIDE");
    QApplication::setDesktopSettingsAware(false);
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

void setupapplication(QApplication &app)
{
    // Set after the application exists, so they win over QT_STYLE_OVERRIDE and the
    // theme's per-class fonts and palettes.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
    constexpr char kName[] = "_NET_WM_ICON";
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!reply)
        return;
    iconatom_ = reply->atom;
    std::free(reply);
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
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), iconatom_,
                        XCB_ATOM_CARDINAL, 32, std::uint32_t(data.size()), data.data());
    xcb_flush(connection);  // the frame is shown at its tick, not with a later request
}

QMessageBox *messagebox(const QString &text, QWidget *parent)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Numora"), text, QMessageBox::Ok, parent);
    // Desktop themes give the standard button an icon or an access key; the box shows
    // a plain OK.
    QAbstractButton *ok = box->button(QMessageBox::Ok);
    ok->setIcon(QIcon());
    ok->setText(QStringLiteral("OK"));
    return box;
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
    const QRect box = rect().adjusted(0, metrics.height() / 2, -1, -1);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(box.left() + 1, box.top() + 1, box.right() - 1, box.top() + 1);
    p.drawLine(box.left() + 1, box.top() + 1, box.left() + 1, box.bottom() - 1);
    p.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
    p.drawLine(box.right(), box.top(), box.right(), box.bottom());

    // The caption interrupts the top line, with a little of the face on either side.
    constexpr int kCaptionLeft = 8, kGap = 2;
    const QRect text(kCaptionLeft, 0, metrics.horizontalAdvance(caption_), metrics.height());
    p.fillRect(text.adjusted(-kGap, 0, kGap, 0), palette().color(QPalette::Window));
    p.setPen(captioncolor_);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, caption_);
}

ColorButton::ColorButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    // The default button's frame moves when the focus enters or leaves a push button.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (isDefault())
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
    const QRect r = rect();
    const bool sunken = isDown() || isChecked();
    int inset = 0;
    if (carriesdefaultframe()) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        inset = 1;
    }
    const QRect face = r.adjusted(inset, inset, -inset, -inset);
    p.fillRect(face, color_);

    const QColor light = Qt::white, shadow = color_.darker(200), dark = Qt::black;
    const int x0 = face.left(), y0 = face.top(), x1 = face.right(), y1 = face.bottom();
    if (sunken) {
        p.setPen(shadow);
        p.drawRect(face.adjusted(0, 0, -1, -1));
    } else {
        p.setPen(light);
        p.drawLine(x0, y0, x1 - 1, y0);
        p.drawLine(x0, y0, x0, y1 - 1);
        p.setPen(dark);
        p.drawLine(x0, y1, x1, y1);
        p.drawLine(x1, y0, x1, y1);
        p.setPen(shadow);
        p.drawLine(x0 + 1, y1 - 1, x1 - 1, y1 - 1);
        p.drawLine(x1 - 1, y0 + 1, x1 - 1, y1 - 1);
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
        QRect focus = face.adjusted(3, 3, -4, -4);
        const QRect used = p.fontMetrics().boundingRect(textrect, Qt::AlignCenter, text());
        focus.setLeft(qMax(face.left() + 1, qMin(focus.left(), used.left() - 2)));
        focus.setRight(qMin(face.right() - 2, qMax(focus.right(), used.right() + 1)));
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(focus);
    }
}

}  // namespace numora::look
