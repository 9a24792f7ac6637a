// SPDX-License-Identifier: MIT
// Where each control of the game window goes, in twips, and how it looks; the menu; and
// which handler each control runs.
#include "ui/main_window/form1.h"
#include "ui/main_window/form1_look.h"

#include <QMenuBar>

namespace numora {

namespace {

// A control made with `args`, named and placed.
template <typename Control, typename... Args> Control *place(const char *name, const QRect &rect, Args &&...args)
{
    auto *control = new Control(std::forward<Args>(args)...);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(rect);
    return control;
}

template <typename Control> Control *settextcolor(Control *w, const QColor &color)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    w->setPalette(palette);
    return w;
}

template <typename Button = look::ColorButton, typename... Mark>
Button *makebutton(QWidget *parent, const char *name, const QString &caption, const QRect &rect, const QColor &color,
                   const QFont &font, Mark &&...mark)
{
    auto *button = place<Button>(name, rect, caption, std::forward<Mark>(mark)..., parent);
    button->setcolor(color);
    button->setFont(font);
    button->setAutoDefault(true);  // Enter presses the focused button
    return button;
}

template <typename Label = QLabel>
Label *makelabel(QWidget *parent, const char *name, const QString &caption, const QRect &rect, const QColor &color)
{
    auto *label = settextcolor(place<Label>(name, rect, parent), color);
    label->setText(caption);
    return label;
}

}  // namespace

void Form1::buildlayout()
{
    auto *client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    const QColor darkred = look::bgr(0x000080), navy = look::bgr(0x800000);
    const QFont windowfont = look::sans(kWindowPoints), keyfont = look::sans(kKeyPoints, true),
                displayfont = look::sans(kDisplayPoints, true);

    // Frames first: the keypad buttons lie inside their areas and are drawn above them.
    auto frame = [&](const char *name, const QString &caption, int left, const QColor &color) {
        return place<look::CaptionFrame>(name, look::twips(left, 2520, 1575, 3255), caption, color, client);
    };
    Frame1 = frame("Frame1", QStringLiteral("My guess is"), 0, look::bgr(0x0000C0));
    Frame2 = frame("Frame2", QStringLiteral("Your guess is"), 1680, navy);
    auto display = [&](const char *name, look::CaptionFrame *parent, const QColor &color) {
        auto *l = settextcolor(place<look::Display>(name, look::twips(120, 240, 1335, 495), parent), color);
        l->setAccessibleName(parent->caption());  // a screen reader names it as its frame
        l->setFont(displayfont);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    Label8 = display("Label8", Frame1, darkred);
    Label10 = display("Label10", Frame2, navy);

    auto outline = [&](const char *name, int left, const QColor &color) {
        return place<Outline>(name, look::twips(left, 0, 1575, 2415), color, 2, client);
    };
    Shape3 = outline("Shape3", 0, darkred);
    Shape5 = outline("Shape5", 1680, navy);

    const QString numbers = QStringLiteral("   1   2   3   4   5   6   7   8   9 10");
    auto rownumbers = [&](const char *name, int left, const QColor &color) {
        return settextcolor(place<RowNumbers>(name, look::twips(left, 120, 285, 1995), numbers, client), color);
    };
    Label4 = rownumbers("Label4", 120, darkred);
    Label5 = rownumbers("Label5", 1800, navy);
    auto board = [&](const char *name, int left, const QColor &color, Side which) {
        ProgressBoard::Rows rows = [this, which] { return boardrows(driver_.state(), which); };
        return settextcolor(place<ProgressBoard>(name, look::twips(left, 120, 975, 1995), rows, client), color);
    };
    Picture2 = board("Picture2", 480, darkred, Side::Computer);
    Picture1 = board("Picture1", 2160, navy, Side::Player);
    Label2 = makelabel(client, "Label2", QStringLiteral("My progress"), look::twips(120, 2160, 1335, 255), darkred);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = makelabel(client, "Label1", QStringLiteral("Your progress"), look::twips(1800, 2160, 1335, 255), navy);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label6 = makelabel<look::ReadLabel>(client, "Label6", QString(), look::twips(0, 5805, 750, 195), darkred);

    // The buttons in the order in which Tab visits them: the digit keypad row by row,
    // then the sign keypad.
    const struct {
        int digit;
        int left, top;
    } digitkeys[] = {{7, 1800, 3360}, {8, 2280, 3360}, {9, 2760, 3360}, {4, 1800, 3840}, {5, 2280, 3840},
                     {6, 2760, 3840}, {1, 1800, 4320}, {2, 2280, 4320}, {3, 2760, 4320}, {0, 1800, 4800}};
    for (const auto &k : digitkeys) {
        const QByteArray name = "Command" + QByteArray::number(k.digit == 0 ? 10 : k.digit);
        digitbuttons_[k.digit] = makebutton<KeypadButton>(client, name.constData(), QString::number(k.digit),
                                                          look::twips(k.left, k.top, 375, 375), kDigitPlain, keyfont,
                                                          QStringLiteral("in use"));
    }
    Command11 = makebutton(client, "Command11", QStringLiteral("C"), look::twips(2280, 4800, 375, 375), kDigitPlain,
                           windowfont);
    Command24 = makebutton(client, "Command24", QStringLiteral("CA"), look::twips(2760, 4800, 375, 375), kDigitPlain,
                           windowfont);
    Command12 = makebutton(client, "Command12", QStringLiteral("Confirm Number"), look::twips(1800, 5280, 1335, 375),
                           kDigitPlain, windowfont);
    Command12->setDefault(true);

    // The sign keypad from "4" down to "0", "+" beside "-"; the rows' tops as designed.
    const char *plusnames[] = {"Command22", "Command13", "Command16", "Command18", "Command20"};
    const char *minusnames[] = {"Command21", "Command14", "Command15", "Command17", "Command19"};
    const int tops[] = {4875, 4494, 4116, 3738, 3360};
    for (int count = 4; count >= 0; --count) {
        plusbuttons_[count] = makebutton<KeypadButton>(client, plusnames[count], QStringLiteral("%1 +").arg(count),
                                                       look::twips(120, tops[count], 615, 300), kSignPlain, keyfont,
                                                       QStringLiteral("chosen"));
        minusbuttons_[count] = makebutton<KeypadButton>(client, minusnames[count], QStringLiteral("%1 -").arg(count),
                                                        look::twips(840, tops[count], 615, 300), kSignPlain, keyfont,
                                                        QStringLiteral("chosen"));
    }
    Command23 = makebutton(client, "Command23", QStringLiteral("Confirm Signs"), look::twips(120, 5280, 1335, 375),
                           kSignPlain, windowfont);
}

void Form1::buildmenu()
{
    QMenuBar *bar = menuBar();
    game = bar->addMenu(QStringLiteral("&Game"));
    game->setObjectName(QStringLiteral("game"));
    newgame_ = game->addAction(QStringLiteral("&New"));
    newgame_->setObjectName(QStringLiteral("newgame"));
    exitgame_ = game->addAction(QStringLiteral("E&xit"));
    exitgame_->setObjectName(QStringLiteral("exitgame"));
    help = bar->addAction(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("help"));
    about = bar->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("about"));
}

void Form1::connecthandlers()
{
    for (int digit = 0; digit <= 9; ++digit)
        connect(digitbuttons_[digit], &QPushButton::clicked, this,
                handled([this, digit] { digitbutton_click(digit); }));
    for (int count = 0; count <= 4; ++count) {
        connect(plusbuttons_[count], &QPushButton::clicked, this, handled([this, count] { plusbutton_click(count); }));
        connect(minusbuttons_[count], &QPushButton::clicked, this,
                handled([this, count] { minusbutton_click(count); }));
    }
    connect(Command11, &QPushButton::clicked, this, handled([this] { Command11_Click(); }));
    connect(Command12, &QPushButton::clicked, this, handled([this] { Command12_Click(); }));
    connect(Command23, &QPushButton::clicked, this, handled([this] { Command23_Click(); }));
    connect(Command24, &QPushButton::clicked, this, handled([this] { Command24_Click(); }));
    connect(newgame_, &QAction::triggered, this, handled([this] { newgame(); }));
    connect(exitgame_, &QAction::triggered, this, &Form1::exitgame);
    connect(help, &QAction::triggered, this, &Form1::showhelp);
    connect(about, &QAction::triggered, this, &Form1::showabout);
}

}  // namespace numora
