// SPDX-License-Identifier: MIT
#include "form1.h"

#include "accessibility.h"
#include "dialogsupport.h"
#include "endwindows.h"
#include "frmabout.h"
#include "form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

namespace numora {

namespace {

const QColor kDigitPlain = look::bgr(0xFFC0C0);
const QColor kDigitInUse = look::bgr(0xFF8080);
const QColor kSignPlain = look::bgr(0xC0C0FF);
const QColor kSignChosen = look::bgr(0x8080FF);
const QColor kDisplayActive = look::bgr(0xE0E0E0);
const QColor kDisplayIdle = look::bgr(0xC0C0C0);

// Closes a window of an earlier turn or game without letting it call back to `listener`;
// it may be the very window whose signal is being handled, so it is deleted later, not
// now. Only the listener's connections go: Qt's own, such as the one that tells the
// accessibility cache of the window's end, must stay.
void closewindow(QWidget *window, const QObject *listener)
{
    if (!window)
        return;
    QObject::disconnect(window, nullptr, listener, nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->close();
}

// The background of a display, inside its single black line.
void setbackground(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    if (palette.color(QPalette::Window) == color)
        return;
    palette.setColor(QPalette::Window, color);
    label->setPalette(palette);
    label->setStyleSheet(QStringLiteral("QLabel { border: 1px solid black; background: %1; }").arg(color.name()));
}

}  // namespace

Form1::Form1(std::optional<std::uint64_t> seed, QWidget *parent) : QMainWindow(parent), driver_(*this, seed)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Numora"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(windowicon());  // until the first tick spins it
    for (int k = 0; k < int(Image1.size()); ++k)
        Image1[k] = QIcon(QStringLiteral(":/icons/top_%1.png").arg(k, 2, 10, QLatin1Char('0')));
    spinner_.emplace(std::vector<QIcon>(Image1.begin(), Image1.end()));

    buildlayout();
    buildmenu();
    connecthandlers();
    makeaccessible(kDigitInUse, kSignChosen);

    // Sized for its client area below the menu bar, and centred on the screen.
    resize(look::px(3255), look::px(6015) + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer1->start();

    qApp->installEventFilter(this);
    Form1::form_load();  // the window loads idle
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
    delete endwindow_;
    delete badsignsbox_;
    delete aboutwindow_;
    delete helpwindow_;
}

look::ColorButton *Form1::makebutton(const char *name, const QString &caption, int left, int top, int width,
                                     int height, const QColor &color, const QFont &font)
{
    auto *button = new look::ColorButton(caption, centralWidget());
    button->setObjectName(QLatin1String(name));
    button->setGeometry(look::twips(left, top, width, height));
    button->setcolor(color);
    button->setFont(font);
    button->setAutoDefault(true);  // Enter presses the focused button
    return button;
}

void Form1::buildlayout()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    const QColor darkred = look::bgr(0x000080), navy = look::bgr(0x800000);
    const QFont windowfont = look::sans(8.25), keyfont = look::sans(9.75, true), displayfont = look::sans(18, true);
    auto textcolour = [](QWidget *w, const QColor &color) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::WindowText, color);
        palette.setColor(QPalette::Text, color);
        w->setPalette(palette);
    };
    auto label = [&](const char *name, const QString &caption, QWidget *parent, QRect geometry, const QColor &color) {
        auto *l = new QLabel(caption, parent);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        textcolour(l, color);
        return l;
    };

    // Frames first: the keypad buttons lie inside their areas and are drawn above them.
    auto frame = [&](const char *name, const QString &caption, int left, const QColor &color) {
        auto *f = new look::CaptionFrame(caption, color, client);
        f->setObjectName(QLatin1String(name));
        f->setGeometry(look::twips(left, 2520, 1575, 3255));
        return f;
    };
    Frame1 = frame("Frame1", QStringLiteral("My guess is"), 0, look::bgr(0x0000C0));
    Frame2 = frame("Frame2", QStringLiteral("Your guess is"), 1680, navy);
    auto display = [&](const char *name, look::CaptionFrame *parent, const QColor &color) {
        QLabel *l = label(name, QString(), parent, look::twips(120, 240, 1335, 495), color);
        l->setAccessibleName(parent->caption());  // a screen reader names it as its frame
        l->setFont(displayfont);
        l->setAlignment(Qt::AlignCenter);
        l->setAutoFillBackground(true);
        return l;
    };
    Label8 = display("Label8", Frame1, darkred);
    Label10 = display("Label10", Frame2, navy);

    Shape3 = new Outline(darkred, 2, client);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setGeometry(look::twips(0, 0, 1575, 2415));
    Shape5 = new Outline(navy, 2, client);
    Shape5->setObjectName(QStringLiteral("Shape5"));
    Shape5->setGeometry(look::twips(1680, 0, 1575, 2415));

    const QString numbers = QStringLiteral("   1   2   3   4   5   6   7   8   9 10");
    auto rownumbers = [&](const char *name, int left, const QColor &color) {
        auto *l = new RowNumbers(numbers, client);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(look::twips(left, 120, 285, 1995));
        textcolour(l, color);
        return l;
    };
    Label4 = rownumbers("Label4", 120, darkred);
    Label5 = rownumbers("Label5", 1800, navy);
    auto board = [&](const char *name, int left, const QColor &color) {
        auto *b = new ProgressBoard(client);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(look::twips(left, 120, 975, 1995));
        textcolour(b, color);
        return b;
    };
    Picture2 = board("Picture2", 480, darkred);
    Picture1 = board("Picture1", 2160, navy);
    Label2 = label("Label2", QStringLiteral("My progress"), client, look::twips(120, 2160, 1335, 255), darkred);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = label("Label1", QStringLiteral("Your progress"), client, look::twips(1800, 2160, 1335, 255), navy);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label6 = label("Label6", QString(), client, look::twips(0, 5805, 750, 195), darkred);

    // The buttons in the order in which Tab visits them.
    Command7 = makebutton("Command7", QStringLiteral("7"), 1800, 3360, 375, 375, kDigitPlain, keyfont);
    Command8 = makebutton("Command8", QStringLiteral("8"), 2280, 3360, 375, 375, kDigitPlain, keyfont);
    Command9 = makebutton("Command9", QStringLiteral("9"), 2760, 3360, 375, 375, kDigitPlain, keyfont);
    Command4 = makebutton("Command4", QStringLiteral("4"), 1800, 3840, 375, 375, kDigitPlain, keyfont);
    Command5 = makebutton("Command5", QStringLiteral("5"), 2280, 3840, 375, 375, kDigitPlain, keyfont);
    Command6 = makebutton("Command6", QStringLiteral("6"), 2760, 3840, 375, 375, kDigitPlain, keyfont);
    Command1 = makebutton("Command1", QStringLiteral("1"), 1800, 4320, 375, 375, kDigitPlain, keyfont);
    Command2 = makebutton("Command2", QStringLiteral("2"), 2280, 4320, 375, 375, kDigitPlain, keyfont);
    Command3 = makebutton("Command3", QStringLiteral("3"), 2760, 4320, 375, 375, kDigitPlain, keyfont);
    Command10 = makebutton("Command10", QStringLiteral("0"), 1800, 4800, 375, 375, kDigitPlain, keyfont);
    Command11 = makebutton("Command11", QStringLiteral("C"), 2280, 4800, 375, 375, kDigitPlain, windowfont);
    Command24 = makebutton("Command24", QStringLiteral("CA"), 2760, 4800, 375, 375, kDigitPlain, windowfont);
    Command12 = makebutton("Command12", QStringLiteral("Confirm Number"), 1800, 5280, 1335, 375, kDigitPlain,
                           windowfont);
    Command12->setDefault(true);
    Command20 = makebutton("Command20", QStringLiteral("4 +"), 120, 3360, 615, 300, kSignPlain, keyfont);
    Command19 = makebutton("Command19", QStringLiteral("4 -"), 840, 3360, 615, 300, kSignPlain, keyfont);
    Command18 = makebutton("Command18", QStringLiteral("3 +"), 120, 3738, 615, 300, kSignPlain, keyfont);
    Command17 = makebutton("Command17", QStringLiteral("3 -"), 840, 3738, 615, 300, kSignPlain, keyfont);
    Command16 = makebutton("Command16", QStringLiteral("2 +"), 120, 4116, 615, 300, kSignPlain, keyfont);
    Command15 = makebutton("Command15", QStringLiteral("2 -"), 840, 4116, 615, 300, kSignPlain, keyfont);
    Command13 = makebutton("Command13", QStringLiteral("1 +"), 120, 4494, 615, 300, kSignPlain, keyfont);
    Command14 = makebutton("Command14", QStringLiteral("1 -"), 840, 4494, 615, 300, kSignPlain, keyfont);
    Command22 = makebutton("Command22", QStringLiteral("0 +"), 120, 4875, 615, 300, kSignPlain, keyfont);
    Command21 = makebutton("Command21", QStringLiteral("0 -"), 840, 4875, 615, 300, kSignPlain, keyfont);
    Command23 = makebutton("Command23", QStringLiteral("Confirm Signs"), 120, 5280, 1335, 375, kSignPlain,
                           windowfont);

    digitbuttons_ = {nullptr, Command1, Command2, Command3, Command4, Command5,
                     Command6, Command7, Command8, Command9, Command10};
    plusbuttons_ = {Command22, Command13, Command16, Command18, Command20};
    minusbuttons_ = {Command21, Command14, Command15, Command17, Command19};
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
    for (int number = 1; number <= 10; ++number)
        connect(digitbuttons_[number], &QPushButton::clicked, this, [this, number] { digitbutton_click(number); });
    for (int count = 0; count <= 4; ++count) {
        connect(plusbuttons_[count], &QPushButton::clicked, this, [this, count] { plusbutton_click(count); });
        connect(minusbuttons_[count], &QPushButton::clicked, this, [this, count] { minusbutton_click(count); });
    }
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Form1::Command12_Click);
    connect(Command23, &QPushButton::clicked, this, &Form1::Command23_Click);
    connect(Command24, &QPushButton::clicked, this, &Form1::Command24_Click);
    connect(newgame_, &QAction::triggered, this, &Form1::newgame);
    connect(exitgame_, &QAction::triggered, this, &Form1::exitgame);
    connect(help, &QAction::triggered, this, &Form1::showhelp);
    connect(about, &QAction::triggered, this, &Form1::showabout);
}

// --- Waits and locks ---------------------------------------------------------------

void Form1::keylock()
{
    for (QPushButton *b : {Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command8, Command9,
                           Command10, Command11, Command12, Command24})
        b->setEnabled(digitinput);
    for (QPushButton *b : {Command13, Command14, Command15, Command16, Command17, Command18, Command19, Command20,
                           Command21, Command22, Command23})
        b->setEnabled(signinput);
    setbackground(Label8, signinput ? kDisplayActive : kDisplayIdle);
    setbackground(Label10, digitinput ? kDisplayActive : kDisplayIdle);
}

void Form1::lockkeypads()
{
    digitinput = false;
    signinput = false;
    keylock();
}

void Form1::form_load()
{
    Label8->clear();
    Label10->clear();
    displayschanged();
    Picture1->clear();
    Picture2->clear();
    // A new game starts with every keypad button plain and no message of the old game left.
    initiatebuttons();
    paintsignsplain();
    pluscount = minuscount = 0;
    closewindow(endwindow_, this);
    closewindow(badsignsbox_, this);
    closewindow(repeatedbox_, this);
    show();
    lockkeypads();
}

void Form1::wait2()
{
    digitinput = true;
    keylock();
    // A screen reader says where the player is: on the button that the digits lead to.
    accessibility::focuslater(Command12);
}

void Form1::wait()
{
    // The sign entry opens only now that the guess it answers is on screen.
    signinput = true;
    keylock();
    Command21->setcolor(kSignChosen);
    Command22->setcolor(kSignChosen);
    pluskeys = 0;
    minuskeys = 0;
    Command23->setFocus(Qt::OtherFocusReason);
}

void Form1::afterpump(std::function<void()> step)
{
    QTimer::singleShot(0, this, std::move(step));
}

void Form1::newgame() { driver_.startgame(); }

void Form1::exitgame()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    for (QWidget *w : {static_cast<QWidget *>(endwindow_.data()), static_cast<QWidget *>(badsignsbox_.data()),
                       static_cast<QWidget *>(aboutwindow_.data()), static_cast<QWidget *>(helpwindow_.data())})
        if (w)
            w->close();
    QApplication::quit();
}

void Form1::Timer1_Timer()
{
    spinner_->show(*this, iconframe);
    iconframe = (iconframe + 1) % int(Image1.size());
}

// --- Captions, boards, end windows ---------------------------------------------------

void Form1::setlabel6(const std::string &caption)
{
    Label6->setText(QString::fromStdString(caption));
    displayschanged();
    // "Thinking..." is on screen before the computer thinks; no event is handled until
    // it is done, so the caption is painted here and now.
    if (!caption.empty()) {
        Label6->repaint();
        look::flushwindowsystem();
    }
}

void Form1::setlabel8(const std::string &caption)
{
    Label8->setText(QString::fromStdString(caption));
    displayschanged();
}

void Form1::addrow(Board board, const std::string &row)
{
    (board == Board::Picture1 ? Picture1 : Picture2)->addrow(QString::fromStdString(row));
}

void Form1::beep() { QApplication::beep(); }

void Form1::showendwindow(EndWindow *window)
{
    // Nothing can be answered or guessed while the game's end is on screen.
    lockkeypads();
    closewindow(endwindow_, this);
    endwindow_ = window;
    connect(window, &EndWindow::yes, this, [this] { driver_.yes(); });
    connect(window, &EndWindow::no, this, &Form1::exitgame);
    window->present();
}

void Form1::showlost(const std::string &caption) { showendwindow(new frmUlost(QString::fromStdString(caption))); }

void Form1::showwon() { showendwindow(new frmUwin); }

void Form1::showdraw() { showendwindow(new Tvdraw); }

void Form1::showbadsigns(const std::string &text)
{
    lockkeypads();
    closewindow(badsignsbox_, this);
    QMessageBox *box = look::messagebox(QString::fromStdString(text));
    box->setObjectName(QStringLiteral("badsigns"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Application-modal, as a message box is: nothing else, the menu included, can be
    // reached until OK, which starts a new game.
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QMessageBox::finished, this, [this] { driver_.badsignsok(); });
    badsignsbox_ = box;
    box->show();
}

namespace {

// One window of its kind at most: a second choice brings the open one to the front. A
// window closed a moment ago may still await its deletion; it is not the open one.
template <typename Window>
void showsingle(QPointer<Window> &window)
{
    if (!window || !window->isVisible()) {
        window = new Window;
        window->present();
        return;
    }
    window->showNormal();
    window->raise();
    window->activateWindow();
}

}  // namespace

void Form1::showhelp() { showsingle(helpwindow_); }

void Form1::showabout() { showsingle(aboutwindow_); }

// --- Digit keypad and Confirm Number -----------------------------------------------------

void Form1::digitbutton_click(int number)
{
    presseddigit = QString::number(number % 10);
    displaybutton();
    if (digitok != 0)
        digitbuttons_[number]->setcolor(kDigitInUse);
}

void Form1::displaybutton()
{
    digitok = 0;
    guesstext = Label10->text();
    if (guesstext.size() > 3)
        return;
    if (guesstext.contains(presseddigit))
        return;
    if (presseddigit == QLatin1String("0") && guesstext.isEmpty())
        return;
    guesstext += presseddigit;
    Label10->setText(guesstext);
    displayschanged();
    digitok = 1;
    Command12->setFocus(Qt::OtherFocusReason);
}

void Form1::Command11_Click()
{
    guesstext = Label10->text();
    if (!guesstext.isEmpty()) {
        const int digit = guesstext.back().digitValue();
        digitok = digit == 0 ? 10 : digit;
        guesstext.chop(1);
    }
    recolorbutton();
    Label10->setText(guesstext);
    displayschanged();
}

void Form1::recolorbutton()
{
    if (digitok >= 1 && digitok <= 10)
        digitbuttons_[digitok]->setcolor(kDigitPlain);
}

void Form1::Command24_Click()
{
    Label10->clear();
    displayschanged();
    initiatebuttons();
}

void Form1::initiatebuttons()
{
    for (int number = 1; number <= 10; ++number)
        digitbuttons_[number]->setcolor(kDigitPlain);
}

void Form1::Command12_Click()
{
    if (!digitinput)
        return;
    guesstext = Label10->text();
    const NumberAnswer answer = driver_.confirmnumber(guesstext.toStdString());
    switch (answer.result) {
    case NumberResult::Incomplete:
    case NumberResult::Refused:
        return;
    case NumberResult::Repeated: {
        QMessageBox *box = look::messagebox(QStringLiteral("You have tried that number before!"), this);
        box->setObjectName(QStringLiteral("repeated"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        repeatedbox_ = box;
        box->open();  // window-modal, without a nested event loop
        return;
    }
    case NumberResult::Accepted:
        break;
    }
    Label10->clear();
    displayschanged();
    initiatebuttons();
    pluscount = 0;
    minuscount = 0;
    // The sign entry opens when the computer's guess is shown (wait).
    digitinput = false;
    keylock();
}

// --- Sign keypad and Confirm Signs -------------------------------------------------------

void Form1::plusbutton_click(int count)
{
    pluscount = count;
    paintmeonly();
}

void Form1::minusbutton_click(int count)
{
    minuscount = count;
    paintmeonly2();
}

void Form1::paintmeonly()
{
    for (QPushButton *b : {Command13, Command16, Command18, Command20, Command22})
        static_cast<look::ColorButton *>(b)->setcolor(kSignPlain);
    plusbuttons_[pluscount]->setcolor(kSignChosen);
}

void Form1::paintmeonly2()
{
    for (QPushButton *b : {Command14, Command15, Command17, Command19, Command21})
        static_cast<look::ColorButton *>(b)->setcolor(kSignPlain);
    minusbuttons_[minuscount]->setcolor(kSignChosen);
}

void Form1::paintsignsplain()
{
    for (look::ColorButton *b : {Command13, Command16, Command18, Command20, Command22, Command14, Command15,
                                 Command17, Command19, Command21})
        b->setcolor(kSignPlain);
}

void Form1::Command23_Click()
{
    if (!signinput)
        return;
    // The driver opens the number entry or shows the end inside confirmsigns; both are
    // painted together with the plain sign buttons.
    if (driver_.confirmsigns(pluscount, minuscount) != SignsResult::Accepted)
        return;
    paintsignsplain();
    if (driver_.phase() == Phase::NumberEntry) {
        signinput = false;
        digitinput = true;
        keylock();
    }
}

// --- Keyboard -------------------------------------------------------------------------

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // A key travels from the focused widget up to the window; it is seen once, at its start.
    auto *widget = qobject_cast<QWidget *>(watched);
    QWidget *focused = QApplication::focusWidget();
    if (!widget || widget->window() != this || (focused && focused->window() == this ? widget != focused : widget != this))
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    Form_KeyDown(key);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        pressenter();
        return true;
    }
    return false;  // the focused control sees the key too
}

void Form1::pressenter()
{
    auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (focused && focused->window() == this && focused->isEnabled())
        focused->click();
    else if (Command12->isEnabled())
        Command12->click();
}

void Form1::Form_KeyDown(const QKeyEvent &key)
{
    if (!digitinput && !signinput)
        return;
    switch (key.key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return;  // holding a modifier down chooses nothing
    default:
        break;
    }
    // The key's code on the numeric keypad: 96..105 its digits, 107 "+", 109 "-", 110 the
    // decimal point (which types "," on some layouts); 0 for any other key.
    int code = 0;
    if (key.modifiers() & Qt::KeypadModifier) {
        if (key.key() >= Qt::Key_0 && key.key() <= Qt::Key_9)
            code = 96 + (key.key() - Qt::Key_0);
        else if (key.key() == Qt::Key_Plus)
            code = 107;
        else if (key.key() == Qt::Key_Minus)
            code = 109;
        else if (key.key() == Qt::Key_Period || key.key() == Qt::Key_Comma)
            code = 110;
    }
    if (driver_.state().digitmode) {
        if (!digitinput)
            return;
        if (code >= 96 && code <= 105)
            digitbutton_click(code == 96 ? 10 : code - 96);
        else if (code == 110)
            Command11_Click();
        return;
    }
    if (!signinput)
        return;
    if (code == 110) {
        minusbutton_click(0);
        plusbutton_click(0);
        pluskeys = 0;
        minuskeys = 0;
    }
    if (code == 107)
        ++pluskeys;
    if (code == 109)
        ++minuskeys;
    if (pluskeys >= 1 && pluskeys <= 4)
        plusbutton_click(pluskeys);
    if (minuskeys >= 1 && minuskeys <= 4)
        minusbutton_click(minuskeys);
}

}  // namespace numora
