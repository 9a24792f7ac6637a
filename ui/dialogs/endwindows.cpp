// SPDX-License-Identifier: MIT
// The end windows, as they are built and answered.
#include "ui/dialogs/endwindows.h"

#include "ui/dialogs/dialogsupport.h"
#include "ui/look/pictures.h"
#include "ui/look/placement.h"
#include "ui/look/style.h"
#include "ui/look/widgets.h"
#include "ui/look/x11.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

namespace numora {

namespace {

constexpr std::uint32_t kLabelRed = 0x0000FF;

// Windows of their own, not dialogs to the window system: a dialog without an owner
// is made transient for the whole program, which keeps it above the game window.
Qt::WindowFlags endwindowflags(bool sizable)
{
    if (sizable)
        return Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
               Qt::WindowCloseButtonHint;
    return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

}  // namespace

EndWindow::EndWindow(const QString &caption, int clientwidth, int clientheight, int left, int top, bool sizable)
    : Alert(nullptr, endwindowflags(sizable)), at_(look::px(left), look::px(top))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setWindowIcon(windowicon());
    setFont(look::sans(8.25));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    const QSize client(look::px(clientwidth), look::px(clientheight));
    if (sizable) {
        resize(client);
    } else {
        setFixedSize(client);
        look::skiptaskbar(*this);
    }
}

QLabel *EndWindow::addlabel(const char *name, const QString &text, const QRect &rect)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setFont(look::sans(15, true));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, look::bgr(kLabelRed));
    label->setPalette(pal);
    label->setGeometry(rect);
    return label;
}

QLabel *EndWindow::addpicture(const char *name, const QString &resource, int left, int top)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QLatin1String(name));
    picture->setPixmap(look::picture(resource, picture->devicePixelRatioF()));
    picture->setAutoFillBackground(true);  // the window's black
    picture->setGeometry(QRect(QPoint(look::px(left), look::px(top)), picture->sizeHint()));
    return picture;
}

void EndWindow::addbuttons(const QRect &yesrect, const QRect &norect, const QColor &color, const QFont &font)
{
    const auto make = [&](const char *name, const QString &text, const QRect &rect) {
        auto *button = new look::ColorButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setcolor(color);
        button->setFont(font);
        QPalette pal = button->palette();
        pal.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(pal);
        button->setGeometry(rect);
        return button;
    };
    Command1 = make("Command1", QStringLiteral("YES"), yesrect);
    Command2 = make("Command2", QStringLiteral("NO"), norect);
    Command1->setDefault(true);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { answer(true); });
    connect(Command2, &QPushButton::clicked, this, [this] { answer(false); });
}

void EndWindow::answer(bool playagain)
{
    // Whoever hears the answer may start a game or end the program; the window must
    // still close afterwards if it has not been closed for us.
    const QPointer<EndWindow> alive(this);
    if (playagain)
        emit yes();
    else
        emit no();
    if (alive)
        close();
}

void EndWindow::keyPressEvent(QKeyEvent *event)
{
    // There is no cancel button; a dialog would otherwise close on Esc.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EndWindow::present()
{
    numora::present(this, look::placeonscreen(screenrect().topLeft() + at_, size(), availablerect()));
}

frmUlost::frmUlost(const QString &caption) : EndWindow(caption, 4305, 1170, 5595, 7200, false)
{
    setObjectName(QStringLiteral("frmUlost"));
    Label1 = addlabel("Label1", QStringLiteral("Play again?"), look::twips(120, 120, 3495, 375));
    Picture1 = addpicture("Picture1", QStringLiteral(":/icons/lost.png"), 1920, 480);
    addbuttons(look::twips(120, 720, 1455, 375), look::twips(2760, 720, 1455, 375), look::bgr(0x00C000),
               look::sans(8.25, true));
}

frmUwin::frmUwin() : EndWindow(QStringLiteral("You Won!"), 4080, 1875, 5775, 7020, false)
{
    setObjectName(QStringLiteral("frmUwin"));
    setFont(look::sans(8.25, true));
    Label1 = addlabel("Label1", QStringLiteral("Congratulations!  Play again?"), look::twips(240, 120, 2535, 735));
    Label1->setWordWrap(true);
    Picture2 = addpicture("Picture2", QStringLiteral(":/icons/win.png"), 1800, 960);
    addbuttons(look::twips(240, 1320, 1215, 375), look::twips(2640, 1320, 1215, 375), look::bgr(0x0000C0), font());
}

Tvdraw::Tvdraw() : EndWindow(QStringLiteral(" It's a draw!"), 2790, 1710, 6345, 7035, true)
{
    setObjectName(QStringLiteral("Tvdraw"));
    Label1 = addlabel("Label1", QStringLiteral(" Not bad at all!"), look::twips(0, 120, 3495, 375));
    Label2 = addlabel("Label2", QStringLiteral(" Play again?"), look::twips(0, 600, 1935, 375));
    Picture1 = addpicture("Picture1", QStringLiteral(":/icons/draw.png"), 2040, 480);
    addbuttons(look::twips(120, 1200, 1215, 375), look::twips(1440, 1200, 1215, 375), look::bgr(0x00C0C0), font());
}

}  // namespace numora
