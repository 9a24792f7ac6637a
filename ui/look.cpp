// SPDX-License-Identifier: MIT
#include "look.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

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

void setupapplication(QApplication &app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setFont(sans(8.25));
}

ColorButton::ColorButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

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
    if (isDefault() || (autoDefault() && hasFocus())) {
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
        QPen pen(Qt::black, 1, Qt::DotLine);
        p.setPen(pen);
        p.drawRect(face.adjusted(3, 3, -4, -4));
    }
}

}  // namespace numora::look
