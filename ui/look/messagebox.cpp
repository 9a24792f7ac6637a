// SPDX-License-Identifier: MIT
// The program's message box: its text, its OK button, and its size on the screen.
#include "ui/look/messagebox.h"

#include "ui/look/style.h"
#include "ui/look/widgets.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>

namespace numora::look {

MessageBox::MessageBox(const QString &text, QWidget *parent)
    : Alert(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint),
      label_(new QLabel(text)), okbutton_(new ColorButton(QStringLiteral("OK")))
{
    setWindowTitle(QStringLiteral("Numora"));
    setModal(true);
    label_->setTextInteractionFlags(
        Qt::TextInteractionFlags(style()->styleHint(QStyle::SH_MessageBox_TextInteractionFlags, nullptr, this)));
    label_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    okbutton_->setcolor(look::palette().color(QPalette::Button));
    okbutton_->setFixedSize(75, 23);  // the classic size
    okbutton_->setDefault(true);
    connect(okbutton_, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okbutton_);
    buttons->addStretch();
    // The text stands in the second column, one spacing in from the row of OK, which
    // spans both; the first column is empty. Where the text wraps, that column takes the
    // width the text leaves, as it always has in this box.
    auto *grid = new QGridLayout(this);
    grid->addWidget(label_, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetNoConstraint);  // fit() decides
    okbutton_->setFocus();
}

QString MessageBox::text() const
{
    return label_->text();
}

void MessageBox::reject()
{
    okbutton_->click();
}

void MessageBox::showEvent(QShowEvent *event)
{
    fit();
    // Told as every message box tells it: an alert has appeared.
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    QDialog::showEvent(event);  // centres the box, at its size, on its parent
}

void MessageBox::fit()
{
    // The text on one line, unless that is wider than half the screen (500 pixels at
    // most): then it wraps to that width. The title fits with room for the title bar's
    // buttons.
    const int wrapwidth = qMin(screen()->availableGeometry().width() / 2, 500);
    label_->setWordWrap(false);
    layout()->activate();
    int width = layout()->totalMinimumSize().width();
    if (width > wrapwidth) {
        label_->setWordWrap(true);
        layout()->activate();
        width = qMax(wrapwidth, layout()->totalMinimumSize().width());
    }
    width = qMax(width, fontMetrics().horizontalAdvance(windowTitle()) + 50);
    layout()->activate();
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : layout()->totalMinimumSize().height();
    setFixedSize(width, height);
}

}  // namespace numora::look
