// SPDX-License-Identifier: MIT
// Shared look of the game's windows: geometry in twips, colours as 0xBBGGRR,
// the sans-serif and serif fonts, and push buttons that show their own colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QRect>

#include <cstdint>

class QApplication;

namespace numora::look {

constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips) { return twips / kTwipsPerPixel; }
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// 0xBBGGRR: red in the low byte.
inline QColor bgr(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Stand-ins for "MS Sans Serif" and "MS Serif" with the same metrics as Arial and Times.
QFont sans(double points, bool bold = false);
QFont serif(double points, bool bold = false);

// Fusion style and the sans-serif window font for the whole program.
void setupapplication(QApplication &app);

// A push button painted flat in its own background colour, with a raised bevel,
// a sunken bevel while pressed, a dotted focus rectangle, a dark frame when it is
// the default button, and grey text when disabled.
class ColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit ColorButton(const QString &text, QWidget *parent = nullptr);

    void setcolor(const QColor &color);
    QColor color() const { return color_; }

signals:
    void colorchanged();  // screen readers hear the colour's meaning through it

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor color_{192, 192, 192};
};

}  // namespace numora::look
