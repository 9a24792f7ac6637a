// SPDX-License-Identifier: MIT
// Lines and fills the program draws itself, in whole device pixels at every scale.
#include "ui/look/devicepixels.h"

#include <QPainter>
#include <QPalette>

namespace numora::look {

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

QRect DevicePixels::sunkenpanel(const QRect &device, const QPalette &palette) const
{
    const int line = width(1);
    const QColor dark = palette.color(QPalette::Dark), light = palette.color(QPalette::Light);
    ring(device, line, dark, light);
    const QRect inner = device.adjusted(line, line, -line, -line);
    ring(inner, line, dark, light);
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

void DevicePixels::softring(const QRect &logical, const QColor &color) const
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(color);
    const QRectF r(logical);
    painter_.drawRect(QRectF(r.x(), r.bottom() - 1, r.width(), 1));
    painter_.drawRect(QRectF(r.right() - 1, r.y(), 1, r.height()));
    painter_.drawRect(QRectF(r.x(), r.y(), 1, r.height()));
    painter_.drawRect(QRectF(r.x(), r.y(), r.width(), 1));
    painter_.restore();
}

}  // namespace numora::look
