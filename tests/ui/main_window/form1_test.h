// SPDX-License-Identifier: MIT
// Drives the real game window with mouse clicks and key presses, offscreen.
#pragma once

#include "tests/support/gamewindow.h"
#include "ui/main_window/form1.h"

#include <QObject>
#include <memory>

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { numora::testsupport::closeform(form_); }

    void idleBeforeFirstGame();
    void layoutAndMenu();
    void digitKeypadRules();
    void digitEntryFromNumericKeypad();
    void confirmNumberScoresAndOpensSignEntry();
    void repeatedGuessIsRefusedWithMessage();
    void signKeypadChoosesOnePerRow();
    void signCountersFromNumericKeypad();
    void impossibleAnswersAreRefused();
    void enterPressesFocusedButtonOrConfirmNumber();
    void gameToALoss();
    void gameToAWin();
    void gameToADraw();
    void contradictionStartsANewGame();
    void newGameDuringEachEntry();
    void boardsKeepRowsAndTextFits();
    void boardRowsHaveTheirFormat();
    void aboutAndHelpOpenOnceAndCloseWithTheGame();

private:
    using ColorButton = numora::look::ColorButton;
    numora::testsupport::WindowPlayer play() const { return numora::testsupport::WindowPlayer(form_.get()); }
    ColorButton *button(const QString &name) const { return play().control<ColorButton>(name); }
    QLabel *label(const char *name) const { return play().label(name); }
    QStringList enabled(const QStringList &names) const;  // those of `names` that take clicks
    // The captions of the buttons of `names` that show `marked`; "?" and the caption for
    // one that shows neither `marked` nor `plain`.
    QStringList marks(const QStringList &names, const QColor &plain, const QColor &marked) const;
    QString marked() const;  // the digits marked in use, in keypad order: 1 to 9, then 0
    QString chosen() const;  // the counts chosen on the sign keypad: "3 +, 0 -"; none: ""
    const numora::ProgressBoard *board(const char *name) const { return play().control<numora::ProgressBoard>(name); }
    QStringList lines(const char *name) const;  // the board's rows as it prints them
    [[nodiscard]] bool startgame();             // Game > New, through the menu bar

    std::unique_ptr<numora::Form1> form_;
};
