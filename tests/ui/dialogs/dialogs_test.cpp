// SPDX-License-Identifier: MIT
#include "tests/support/qtmain.h"
#include "tests/support/windows.h"
#include "ui/dialogs/dialogsupport.h"
#include "ui/dialogs/endwindows.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/frmabout.h"
#include "ui/look/placement.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <iterator>
#include <tuple>
#include <utility>

using namespace numora;

namespace {

using Maker = std::function<EndWindow *()>;
const char *const kLoss = " You have lost! My number was : 4096";
const std::pair<const char *, Maker> kEndWindows[] = {
    {"lost", [] { return new frmUlost(QLatin1String(kLoss)); }},
    {"won", [] { return new frmUwin; }},
    {"draw", [] { return new Tvdraw; }},
};

// What the player sees of each end window, in the order above: caption, client area,
// whether it is sizable, YES's place, NO's left edge, the picture's place and the fill
// of both buttons.
const struct EndDesign {
    const char *caption;
    QRect client;
    bool sizable;
    QRect yes;
    int nox;
    QRect picture;
    QColor color;
} kEndDesigns[] = {
    {kLoss, {373, 480, 287, 78}, false, {8, 48, 97, 25}, 184, {128, 32, 32, 32}, {0, 192, 0}},
    {"You Won!", {385, 468, 272, 125}, false, {16, 88, 81, 25}, 176, {120, 64, 32, 32}, {192, 0, 0}},
    {" It's a draw!", {423, 469, 186, 114}, true, {8, 80, 81, 25}, 96, {136, 32, 32, 32}, {192, 192, 0}},
};

// Shows a fresh window as the game does and waits until it has the keyboard.
template <typename Window> Window *presented(Window *w)
{
    w->present();
    if (!QTest::qWaitForWindowActive(w, numora::testsupport::kPatience))
        qWarning("window was not activated");
    return w;
}

template <typename Window> bool deleted(const QPointer<Window> &w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.isNull();
}

const auto child = [](QWidget *w, const char *name) { return w->findChild<QWidget *>(QLatin1String(name)); };
void key(int key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

// What the platform shows when the mouse pointer rests on `w`.
QString tooltipof(QWidget *w)
{
    QHelpEvent event(QEvent::ToolTip, w->rect().center(), w->mapToGlobal(w->rect().center()));
    QApplication::sendEvent(w, &event);
    QString text = QToolTip::text();
    QToolTip::hideText();
    return text;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void endWindowsAnswerOnlyByTheirButtons_data()
    {
        QTest::addColumn<Maker>("make");
        for (const auto &[name, make] : kEndWindows)
            QTest::newRow(name) << make;
    }
    void endWindowsAnswerOnlyByTheirButtons()
    {
        QFETCH(Maker, make);
        // Enter and keypad Enter choose YES, which has the focus, and close the window.
        for (const auto modifiers : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
            QPointer<EndWindow> w = presented(make());
            QSignalSpy yes(w.data(), &EndWindow::yes), no(w.data(), &EndWindow::no);
            QCOMPARE(QApplication::focusWidget(), child(w, "Command1"));
            key(modifiers ? Qt::Key_Enter : Qt::Key_Return, modifiers);
            QCOMPARE(yes.count(), 1);
            QCOMPARE(no.count(), 0);
            QVERIFY(deleted(w));
        }
        // Esc must not close the window: the game would wait for an answer that never
        // comes. The close box closes it but answers neither YES nor NO.
        QPointer<EndWindow> w = presented(make());
        QSignalSpy yes(w.data(), &EndWindow::yes), no(w.data(), &EndWindow::no);
        key(Qt::Key_Escape);
        QVERIFY(!deleted(w) && w->isVisible());
        w->close();
        QVERIFY(deleted(w));
        QCOMPARE(yes.count() + no.count(), 0);
        // NO by the mouse, and by Enter once the focus has moved to it.
        for (const bool mouse : {true, false}) {
            w = presented(make());
            QSignalSpy yes(w.data(), &EndWindow::yes), no(w.data(), &EndWindow::no);
            if (mouse) {
                QTest::mouseClick(child(w, "Command2"), Qt::LeftButton);
            } else {
                key(Qt::Key_Tab);
                key(Qt::Key_Return);
            }
            QCOMPARE(no.count(), 1);
            QCOMPARE(yes.count(), 0);
            QVERIFY(deleted(w));
        }
    }

    // What the player sees: caption, client size and place, border, the buttons and the
    // picture at their twips positions, the buttons' flat fill in exactly the design's colour.
    void endWindowsLookAsDesigned_data()
    {
        QTest::addColumn<int>("window");
        for (int i = 0; i < int(std::size(kEndWindows)); ++i)
            QTest::newRow(kEndWindows[i].first) << i;
    }
    void endWindowsLookAsDesigned()
    {
        QFETCH(int, window);
        const auto &[caption, client, sizable, yes, nox, picture, color] = kEndDesigns[window];
        const Maker &make = kEndWindows[window].second;
        QPointer<EndWindow> w = presented(make());
        QCOMPARE(w->windowTitle(), QLatin1String(caption));
        QCOMPARE(w->geometry(), client.translated(screenrect().topLeft()));
        QCOMPARE(w->minimumSize() == w->maximumSize(), !sizable);
        QCOMPARE(w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), sizable);
        QVERIFY(!w->parent() && !w->isModal());
        const QRect no = yes.translated(nox - yes.x(), 0);
        QCOMPARE(child(w, "Command1")->geometry(), yes);
        QCOMPARE(child(w, "Command2")->geometry(), no);
        const auto pictures = w->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Picture")));
        QCOMPARE(pictures.size(), 1);
        QCOMPARE(pictures[0]->geometry(), picture);

        const QImage shot = w->grab().toImage();
        for (const QRect &face : {yes, no})
            QCOMPARE(shot.pixelColor(face.left() + 5, face.center().y()), color);
        QCOMPARE(shot.pixelColor(w->width() - 2, w->height() - 2), QColor(Qt::black));

        // The fonts stand in for the originals; every caption must still fit its control
        // and the client area, and wrapped text can only break between words.
        for (QLabel *label : w->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Label")))) {
            const QFontMetrics metrics(label->font());
            const int right = std::min(label->geometry().right(), w->width() - 1);
            if (label->wordWrap())
                QVERIFY(label->heightForWidth(label->width()) <= label->height());
            const QStringList parts =
                label->wordWrap() ? label->text().split(QLatin1Char(' ')) : QStringList{label->text()};
            for (const QString &part : parts)
                QVERIFY2(label->x() + metrics.horizontalAdvance(part) <= right, qPrintable(part));
            QVERIFY(metrics.height() <= label->height());
        }
        w->close();
    }

    void placementKeepsWindowsOnTheScreen()
    {
        const QMargins frame(4, 30, 4, 4);
        const QSize client(287, 78);
        const QRect large(0, 0, 1280, 1024);
        const std::tuple<QPoint, QRect, QPoint> cases[] = {
            // wanted, on the screen available, placed
            {{373, 480}, large, {373, 480}},                              // fits
            {{1200, 480}, large, {1280 - 4 - 287, 480}},                  // too far right
            {{373, 480}, {0, 0, 800, 480}, {373, 480 - 4 - 78}},          // below a small screen
            {{373, 10}, {0, 40, 1280, 984}, {373, 40 + 30}},              // under a panel at the top
            {{1280 + 373, 480}, {1280, 0, 800, 600}, {1280 + 373, 480}},  // on a second screen
            {{373, 480}, {0, 0, 200, 60}, {4, 30}},                       // screen smaller than the window
        };
        for (const auto &[wanted, available, placed] : cases)
            QCOMPARE(look::placeonscreen(wanted, client, available, frame), placed);
        QCOMPARE(look::centreonscreen(QSize(200, 100), QRect(1000, 40, 1000, 600), frame), QPoint(1400, 40 + 233 + 30));
    }

    void aboutClosesOnEnterAndEscapeAndExplainsItself()
    {
        for (const int closing : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QPointer<frmAbout> about = presented(new frmAbout);
            QCOMPARE(QApplication::focusWidget(), child(about, "cmdOK"));
            key(closing);
            QVERIFY(deleted(about));
        }
        frmAbout about;
        about.show();
        QCOMPARE(tooltipof(child(&about, "cmdOK")), QStringLiteral("Move your mouse on the picture!"));
        QCOMPARE(tooltipof(child(&about, "picIcon")),
                 QStringLiteral("That was what I used to do before I began writing unnecessary programs!"));
        QVERIFY(tooltipof(child(&about, "Label1")).contains(QLatin1Char('@')));

        QCOMPARE(about.size(), QSize(210, 184));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(child(&about, "picIcon")->geometry(), QRect(8, 64, 195, 84));
        // The labels size themselves to their text: the credit line must not run into "E-mail".
        QVERIFY(child(&about, "lblVersion")->geometry().right() < child(&about, "Label1")->x());
        QVERIFY(about.rect().contains(child(&about, "lblTitle")->geometry()));
        const QImage shot = about.grab().toImage();
        QCOMPARE(shot.pixelColor(14, 163), QColor(192, 0, 0));       // OK's face, left of its text
        QCOMPARE(shot.pixelColor(205, 180), QColor(192, 255, 255));  // the window's own colour
    }

    void helpIsFixedAndItsPageFits()
    {
        QPointer<Form2> help = presented(new Form2);
        QCOMPARE(help->size(), QSize(901, 546));
        QCOMPARE(help->minimumSize(), help->maximumSize());
        QVERIFY(!(help->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(help->windowType(), Qt::Window);  // a window of its own, in the task bar

        auto *page = help->findChild<HelpPage *>(QStringLiteral("Picture1"));
        QCOMPARE(page->geometry(), QRect(0, 0, 901, 545));
        QVERIFY(help->findChildren<QScrollBar *>().isEmpty());
        QVERIFY2(page->textheight() <= 541, qPrintable(QString::number(page->textheight())));
        // The page is really there: the worked example and the footnote, on navy.
        const QString text = page->document().toPlainText();
        for (const char *words : {"1234", "6241", "4536", "0231", "trademark", "Good luck!"})
            QVERIFY2(text.contains(QLatin1String(words)), words);
        QCOMPARE(page->grab().toImage().pixelColor(3, 540), QColor(0, 0, 128));
        help->close();
        QVERIFY(deleted(help));
    }
};

NUMORA_QTEST_MAIN(DialogsTest)

#include "dialogs_test.moc"
