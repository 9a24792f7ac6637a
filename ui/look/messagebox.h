// SPDX-License-Identifier: MIT
// The program's message box: a text in the program's name, no picture, and one OK
// button drawn as the game's other buttons are.
//   auto *box = new look::MessageBox(QStringLiteral("You have tried that number before!"), this);
//   connect(box, &QDialog::finished, ...); box->open();  // or show(), application-modal
#pragma once

#include "ui/look/widgets.h"

#include <QString>

class QLabel;

namespace numora::look {

// Modal as a message box is: application-modal when shown, window-modal on its parent
// when opened. OK is the default button; Enter, Esc and the close box press it too, so
// that every way out accepts the box and emits finished() once. A screen reader reads
// it as an alert.
class MessageBox : public Alert {
    Q_OBJECT
public:
    explicit MessageBox(const QString &text, QWidget *parent = nullptr);

    QString text() const;
    ColorButton *okbutton() const { return okbutton_; }

    void reject() override;  // Esc and the close box answer OK

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The size, once the screen it appears on is known.
    void fit();

    QLabel *label_;
    ColorButton *okbutton_;
};

}  // namespace numora::look
