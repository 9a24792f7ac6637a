// SPDX-License-Identifier: MIT
// Lines and fills the program draws itself, in whole device pixels at every scale.
#pragma once

#include <QColor>
#include <QRect>
#include <QTransform>

class QPainter;
class QPalette;

namespace numora::look {

// Lines the program draws itself, in whole device pixels. On a screen scaled by 1.25 or
// 1.75 a widget starts and ends between device pixels, where a line one logical pixel
// wide comes out one or two device pixels wide, or not at all. Here every edge of a
// rectangle is rounded to the nearest device pixel, and a line `n` design pixels wide is
// round(scale × n) device pixels wide on all four sides.
//   const DevicePixels device(painter);           // a painter on a widget
//   const QRect outer = device.map(rect());
//   device.ring(outer, device.width(1), Qt::white, Qt::black);
class DevicePixels {
public:
    explicit DevicePixels(QPainter &painter);

    // The device pixels that the logical pixels of `logical` cover.
    QRect map(const QRect &logical) const;
    // Device pixels of a line `designpixels` wide; at least one.
    int width(int designpixels) const;

    void fill(const QRect &device, const QColor &color) const;
    // A ring `width` device pixels wide along the inside of `device`: its top and left
    // sides in `topleft`, its bottom and right sides in `bottomright`, which also takes
    // the two corners where they meet. An invalid colour leaves its sides unpainted, and
    // the other sides then run the whole length.
    void ring(const QRect &device, int width, const QColor &topleft, const QColor &bottomright) const;
    void ring(const QRect &device, int width, const QColor &color) const { ring(device, width, color, color); }
    // The two rings of a sunken border two design pixels wide, as picture boxes have;
    // returns the device pixels inside it.
    QRect sunkenborder(const QRect &device, const QPalette &palette) const;
    // A sunken panel's border two design pixels wide, as the progress boards have: both
    // rings dark above and to the left, light below and to the right. Returns the device
    // pixels inside it.
    QRect sunkenpanel(const QRect &device, const QPalette &palette) const;
    // A dotted ring `width` device pixels wide: every third stretch of `width` pixels
    // along the way round, starting from the top-left corner.
    void dottedring(const QRect &device, int width, const QColor &color) const;

    // A line one logical pixel wide along the inside of `logical`, smoothed, as the
    // displays have always been drawn: on screens scaled by 1.25 to 1.75 it is soft,
    // not whole device pixels.
    void softring(const QRect &logical, const QColor &color) const;

private:
    QPainter &painter_;
    QTransform todevice_;     // logical to device pixels
    QTransform devicespace_;  // the world transform under which the painter draws in device pixels
    QTransform world_;
};

}  // namespace numora::look
