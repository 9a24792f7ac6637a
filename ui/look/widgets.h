// SPDX-License-Identifier: MIT
// The widgets the program draws itself: the picture box, the captioned frame, the
// display and the coloured push button.
#pragma once

#include <QColor>
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

// A label inside a single black line, on a background of the colour given (its
// palette's window colour, which is all that says it); its text lies inside the line.
class Display : public QLabel {
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
