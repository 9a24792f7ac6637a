// SPDX-License-Identifier: MIT
// Shared look of the game's windows: geometry in twips, colours as 0xBBGGRR,
// the sans-serif and serif fonts, and push buttons that show their own colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMargins>
#include <QPixmap>
#include <QPushButton>
#include <QRect>
#include <QTransform>

#include <cstdint>
#include <vector>

class QApplication;
class QMessageBox;
class QPainter;

namespace numora::look {

constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    return twips / kTwipsPerPixel;
}
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
// Sized in pixels, as `points` are at 96 dots per inch: the layout is in pixels too, so
// the text keeps its place in it whatever font resolution the desktop sets.
QFont sans(double points, bool bold = false);
QFont serif(double points, bool bold = false);

// Called before the application object exists: no theme or style named in the
// environment is loaded and the desktop's own theme is not asked for colours or fonts,
// so the design's colours keep the light face they were chosen against on dark and
// customised desktops alike; the style measures its margins and spacings, and texts
// given in points, at 96 dots per inch, whatever the desktop's font resolution.
void preparedesktop();

// The Fusion style, its light palette and the sans-serif window font for every window,
// menu and tooltip, whatever style, colour scheme or font the desktop prefers. Message
// boxes centre their buttons, as the classic desktop's do.
void setupapplication(QApplication &app);

// The palette of every window: Fusion's light one, each role fixed.
QPalette palette();

// Hands what was drawn or changed so far to the window system at once. X11 buffers
// requests until something else flushes them; elsewhere this does nothing.
void flushwindowsystem();

// The frames of an animated window icon, shown one at a time. On X11 each frame is
// made into the window's _NET_WM_ICON property once, and showing it is one request
// sent at once: no image conversions and no change event for every child widget, so
// that a frame a tick costs little while idle. Elsewhere Qt sets the icon.
class IconAnimation {
public:
    explicit IconAnimation(std::vector<QIcon> frames);

    void show(QWidget &window, int frame) const;
    int framecount() const { return int(frames_.size()); }

private:
    std::vector<QIcon> frames_;
    std::vector<std::vector<std::uint32_t>> x11frames_;  // empty off X11
    std::uint32_t iconatom_ = 0;
};

// A message box in the program's name with the text, no room for an icon, and an OK
// button drawn as the game's other buttons are.
QMessageBox *messagebox(const QString &text, QWidget *parent = nullptr);

// A picture drawn at twice its size is named `name@2x.png` beside `name.png`. Screens
// scaled by 1.5 or more show that drawing; the picture keeps its size in logical pixels.
QPixmap picture(const QString &resource, qreal devicepixelratio);
// An icon with every size of a picture: `resource` itself, its `-16`, `-48` and `-64`
// sizes and its drawing at twice the size, those that exist.
QIcon icon(const QString &resource);

// Room the window manager's frame is taken to need around a client area where it is
// not known yet, to keep a window's caption reachable.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};

// The client top-left nearest to `wanted` that keeps the client area and its frame
// inside `available`. A window bigger than the screen keeps its frame's top-left on it.
QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame = kFrameAllowance);

// The client top-left that centres the framed window in `available`.
QPoint centreonscreen(QSize client, const QRect &available, QMargins frame = kFrameAllowance);

// Centres a window that is about to be shown on its screen as a whole, frame included.
// The frame is known only where the window system tells it (X11, once a window manager
// has framed a window of the program): until then the window is centred by its client
// area, and it is moved once, as soon as its frame is told, unless it was moved meanwhile.
// Elsewhere (Wayland) it stays centred by its client area.
void centre(QWidget &window);

// Keeps a top-level window out of the task bar and the pager (X11; elsewhere nothing).
// Call before the window is first shown.
void skiptaskbar(QWidget &window);

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
    // A dotted ring `width` device pixels wide: every third stretch of `width` pixels
    // along the way round, starting from the top-left corner.
    void dottedring(const QRect &device, int width, const QColor &color) const;

    QPainter &painter() const { return painter_; }

private:
    QPainter &painter_;
    QTransform todevice_;     // logical to device pixels
    QTransform devicespace_;  // the world transform under which the painter draws in device pixels
    QTransform world_;
};

// A picture box with a sunken border that sizes itself to its picture, which fills the
// inside of the border to the last device pixel at every scale.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(const QString &resource, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString resource_;
};

// A frame with an etched outline and its caption on the top line, as a frame of the
// classic desktop is drawn; the outline's top runs through the middle of the caption.
class CaptionFrame : public QWidget {
    Q_OBJECT
public:
    CaptionFrame(const QString &caption, const QColor &captioncolor, QWidget *parent = nullptr);

    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
    QColor captioncolor_;
};

// A push button painted flat in its own background colour, with a raised bevel,
// a sunken bevel while pressed, a dotted focus rectangle, and grey text when disabled.
// The dark frame of the default button goes to the focused push button, or to the
// window's default button while no push button has the focus.
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
    // Whether the dark frame is drawn around this button now.
    bool carriesdefaultframe() const;

    QColor color_{192, 192, 192};
};

}  // namespace numora::look
