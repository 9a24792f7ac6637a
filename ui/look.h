// SPDX-License-Identifier: MIT
// Shared look of the game's windows: geometry in twips, colours as 0xBBGGRR,
// the sans-serif and serif fonts, and push buttons that show their own colour.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPushButton>
#include <QRect>

#include <cstdint>
#include <vector>

class QApplication;
class QMessageBox;

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

// Called before the application object exists: no theme or style named in the
// environment is loaded and the desktop's own theme is not asked for colours or fonts,
// so the design's colours keep the light face they were chosen against on dark and
// customised desktops alike.
void preparedesktop();

// The Fusion style, its light palette and the sans-serif window font for every window,
// menu and tooltip, whatever style, colour scheme or font the desktop prefers.
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

// A message box in the program's name with the text and a plain OK button.
QMessageBox *messagebox(const QString &text, QWidget *parent = nullptr);

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
