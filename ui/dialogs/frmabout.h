// SPDX-License-Identifier: MIT
// The About window: title, credit line, a photograph with a joke in its tooltip, OK.
#pragma once

#include <QDialog>

class QLabel;

namespace numora {

namespace look {
class ColorButton;
}

// Enter and Esc both choose OK, which closes the window; it deletes itself on closing.
// It has no parent and no task bar button, and does not block the game.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();

    // Centres the window on the screen, shows it and brings it to the front.
    void present();

private:
    QLabel *lblTitle;          // program name and version
    QLabel *lblDescription;    // what the program is
    QLabel *lblVersion;        // the author
    QLabel *Label1;            // "E-mail", the address in its tooltip
    QLabel *picIcon;           // the photograph
    look::ColorButton *cmdOK;  // closes the window
};

}  // namespace numora
