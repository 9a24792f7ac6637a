// SPDX-License-Identifier: MIT
// The widgets the program draws itself; see widgets.h.
#include "ui/look/widgets.h"

#include "ui/look/accessible.h"
#include "ui/look/devicepixels.h"
#include "ui/look/pictures.h"
#include "ui/look/style.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>

namespace numora::look {

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

void ReadLabel::settext(const QString &now)
{
    const QString before = text();
    if (before == now)
        return;
    setText(now);
    if (now.startsWith(before)) {
        QAccessibleTextInsertEvent event(this, int(before.size()), now.mid(before.size()));
        QAccessible::updateAccessibility(&event);
    } else if (before.startsWith(now)) {
        QAccessibleTextRemoveEvent event(this, int(now.size()), before.mid(now.size()));
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(this, 0, before, now);
        QAccessible::updateAccessibility(&event);
    }
}

Display::Display(QWidget *parent) : ReadLabel(parent)
{
    setContentsMargins(1, 1, 1, 1);
}

void Display::setbackground(const QColor &color)
{
    QPalette colours = palette();
    if (colours.color(QPalette::Window) == color)
        return;
    colours.setColor(QPalette::Window, color);
    setPalette(colours);
}

void Display::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        DevicePixels(p).softring(rect(), Qt::black);
    }
    QLabel::paintEvent(event);  // the text, inside the line
}

ColorButton::ColorButton(const QString &text, QWidget *parent) : ColorButton(parent)
{
    setText(text);
}

ColorButton::ColorButton(QWidget *parent) : QPushButton(parent)
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

Alert::Alert(QWidget *parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    installaccessible();
}

}  // namespace numora::look
