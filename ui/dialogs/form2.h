// SPDX-License-Identifier: MIT
// The Help window: the game's manual on one page.
#pragma once

#include <QFrame>
#include <QTextDocument>
#include <QWidget>

namespace numora {

// The help page drawn from its rich text (`:/help/help.html`) inside a sunken border.
// Its last line, the footnote and the wish of good luck, sits at the foot of the page.
class HelpPage : public QFrame {
    Q_OBJECT
public:
    static constexpr QSize kPageSize{897, 541};

    explicit HelpPage(QWidget *parent = nullptr);

    // What a screen reader reads of the page (helppage_accessible.cpp); before any page is built.
    static void installaccessible();

    const QTextDocument &document() const { return document_; }
    // Height the text needs before its last line is moved down to the foot of the page.
    int textheight() const { return textheight_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTextDocument document_;
    int textheight_ = 0;
};

// A fixed window with a task bar button and only a close box; it deletes itself on closing.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    // Centres the window on the screen, shows it and brings it to the front.
    void present();

private:
    HelpPage *Picture1;  // the page
};

}  // namespace numora
