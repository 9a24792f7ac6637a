// SPDX-License-Identifier: MIT
// The widgets of the window's upper half: the progress boards, their row numbers
// and the coloured outlines around each side.
#pragma once

#include "driver.h"

#include <QFrame>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace numora {

// The text of a board row: " 1234 ++ -" for 1234 with two "+" and one "-".
QString boardrow(const AnsweredGuess &row);
// The same row as a screen reader says it: "1234: 2 plus, 1 minus".
QString spokenrow(const AnsweredGuess &row);

// A board that prints text lines from the top, one per answered guess, and keeps
// them so they survive being covered, minimized and restored.
class ProgressBoard : public QFrame {
    Q_OBJECT
public:
    explicit ProgressBoard(QWidget *parent = nullptr);

    void addrow(const AnsweredGuess &row);
    void clear();
    const QList<AnsweredGuess> &rows() const { return rows_; }

    // Top of text line `line` (0 based) inside the widget; the row numbers use the same lines.
    static int linetop(const QFontMetrics &metrics, int line) { return line * metrics.height(); }

signals:
    void rowadded(int line);
    void cleared();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<AnsweredGuess> rows_;
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

}  // namespace numora
