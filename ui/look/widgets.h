// SPDX-License-Identifier: MIT
// The widgets the program draws itself: the picture box, the captioned frame, the
// label read as it changes and the display built on it, the coloured push button and
// the alert window.
#pragma once

#include <QColor>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>

namespace numora::look {

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

    const QString &caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString caption_;
    QColor captioncolor_;
};

// A label whose text screen readers read, named after its frame if it has none of its
// own. settext() tells them what changed: the characters added at the end, those taken
// from the end, or the whole text replaced.
class ReadLabel : public QLabel {
    Q_OBJECT
public:
    explicit ReadLabel(QWidget *parent = nullptr) : QLabel(parent) {}

    void settext(const QString &text);
};

// A label inside a single black line, on a background of the colour given (its
// palette's window colour, which is all that says it); its text lies inside the line.
class Display : public ReadLabel {
    Q_OBJECT
public:
    explicit Display(QWidget *parent = nullptr);

    void setbackground(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;
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

protected:
    // Without its text yet: a derived button sets it once it is what it is, so that a
    // screen reader's first look at it finds the derived button.
    explicit ColorButton(QWidget *parent);

    void paintEvent(QPaintEvent *event) override;

private:
    // Whether the dark frame is drawn around this button now.
    bool carriesdefaultframe() const;

    QColor color_{192, 192, 192};
};

// A window that a screen reader reads whole as it appears, each of its labels once,
// short ones ("Play again?") included: the end windows and the message box.
class Alert : public QDialog {
    Q_OBJECT
protected:
    Alert(QWidget *parent, Qt::WindowFlags flags);
};

}  // namespace numora::look
