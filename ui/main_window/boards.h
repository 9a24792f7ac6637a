// SPDX-License-Identifier: MIT
// The widgets of the window's upper half: the progress boards, their row numbers
// and the coloured outlines around each side; and the client area that holds them.
// What a screen reader reads of them is in boards_accessible.cpp.
#pragma once

#include "engine/driver.h"

#include <QFrame>
#include <QLabel>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

namespace numora {

// The text of a board row: " 1234 ++ -" for 1234 with two "+" and one "-".
QString boardrow(const AnsweredGuess &row);
// The same row as a screen reader says it: "1234: 2 plus, 1 minus".
QString spokenrow(const AnsweredGuess &row);

// A board that prints text lines from the top, one per answered guess. It shows the
// game's record, which `rows` reads, so that its lines survive being covered, minimized
// and restored.
class ProgressBoard : public QFrame {
    Q_OBJECT
public:
    using Rows = std::function<std::vector<AnsweredGuess>()>;

    ProgressBoard(Rows rows, QWidget *parent = nullptr);

    std::vector<AnsweredGuess> rows() const { return rows_(); }
    // The record has one row more, or none: the board is drawn again, and a screen
    // reader is told of the row or of the rows gone.
    void rowadded();
    void cleared();

    // Top of text line `line` (0 based) inside the widget; the row numbers use the same lines.
    static int linetop(const QFontMetrics &metrics, int line) { return line * metrics.height(); }

    static void installaccessible();  // for the boards and the client area, before they are built

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Rows rows_;
};

// Row numbers beside a board: the caption's numbers one per text line, right-aligned,
// level with the board's rows.
class RowNumbers : public QLabel {
    Q_OBJECT
public:
    explicit RowNumbers(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A rectangle outline drawn around a side of the window; it takes no input.
class Outline : public QWidget {
    Q_OBJECT
public:
    Outline(const QColor &color, int width, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor color_;
    int width_;
};

// The game window's client area. A screen reader reads it without the decoration
// painted on it: the row numbers (each row already stands in its place in its board)
// and the outlines; its news bar, if it has one, comes after its widgets.
class ClientArea : public QWidget {
    Q_OBJECT
public:
    explicit ClientArea(QWidget *parent = nullptr) : QWidget(parent) {}
};

}  // namespace numora
