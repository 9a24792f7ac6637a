// SPDX-License-Identifier: MIT
// The About window, as it is built.
#include "ui/dialogs/frmabout.h"

#include "ui/dialogs/dialogsupport.h"
#include "ui/look/style.h"
#include "ui/look/widgets.h"
#include "ui/look/x11.h"

#include <QAccessible>
#include <QLabel>

namespace numora {

namespace {

QLabel *textlabel(QWidget *parent, const char *name, const QString &text, const QFont &font, const QColor &color,
                  int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
    label->move(look::px(left), look::px(top));
    label->adjustSize();
    return label;
}

}  // namespace

frmAbout::frmAbout()
    // A window of its own, as the end windows are, not a dialog kept above the game.
    : QDialog(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About the game..."));
    setWindowIcon(windowicon());
    setFont(look::sans(8.25));
    setFixedSize(look::px(3150), look::px(2760));
    look::skiptaskbar(*this);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, look::bgr(0xFFFFC0));
    setPalette(pal);
    setAutoFillBackground(true);

    // The OK button comes first so that it is first in the tab order and takes the focus.
    cmdOK = new look::ColorButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setcolor(look::bgr(0x0000C0));
    cmdOK->setFont(look::sans(9.75, true));
    QPalette buttonpal = cmdOK->palette();
    buttonpal.setColor(QPalette::ButtonText, Qt::black);
    cmdOK->setPalette(buttonpal);
    cmdOK->setGeometry(look::twips(120, 2280, 2925, 345));
    cmdOK->setToolTip(QStringLiteral("Move your mouse on the picture!"));
    cmdOK->setDefault(true);
    cmdOK->setFocus();

    const QColor black = look::bgr(0x000000);
    lblTitle = textlabel(this, "lblTitle", QStringLiteral("Tavrel 2.0 (the smarter version)"), font(), black, 120, 120);
    lblDescription =
        textlabel(this, "lblDescription", QStringLiteral("Number Guessing Game."), font(), black, 120, 405);
    lblVersion = textlabel(this, "lblVersion", QStringLiteral("Written by Orin Vale"), look::serif(8.25, true),
                           look::bgr(0x000080), 120, 705);
    Label1 = textlabel(this, "Label1", QStringLiteral("E-mail"), look::serif(8.25, true), black, 2400, 705);
    Label1->setToolTip(QStringLiteral("orin.vale@numora.example"));
    // A screen reader reads the label with its address; a one-word label it would skip.
    Label1->setAccessibleName(QStringLiteral("E-mail address: ") + Label1->toolTip());

    picIcon = new look::PictureBox(QStringLiteral(":/about/photo.png"), this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->move(look::px(120), look::px(960));
    picIcon->adjustSize();
    picIcon->setToolTip(QStringLiteral("That was what I used to do before I began writing unnecessary programs!"));
    // The tooltips show under the mouse. A screen reader reaches the photograph's with Tab
    // instead: it is a stop after OK while one is running, and reads as a picture named
    // after what it is, its tooltip as its description. Nothing drawn changes, and Enter
    // and Esc still answer for the window.
    picIcon->setAccessibleName(QStringLiteral("Photograph"));
    if (QAccessible::isActive())
        picIcon->setFocusPolicy(Qt::TabFocus);

    // Esc rejects the dialog, which closes it just as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void frmAbout::present()
{
    presentcentred(this);
}

}  // namespace numora
