// SPDX-License-Identifier: MIT
// Five hundred whole games through the real window: each end's YES starts the next game
// from the event loop, so the stack stays as deep as in the first game, and no game
// leaves memory behind. A game that waited in an event loop of its own would start the
// next one from there, deeper each time; one that never returned hangs, and the test's
// time-out ends it. The engine's ten thousand games (driver_test) prove the same of the
// driver behind a fake window, where no event loop runs; only here do the end windows,
// their YES key and the queued steps of Qt's event loop take part.
#include "tests/support/gamewindow.h"
#include "tests/support/process.h"
#include "tests/support/qtmain.h"
#include "ui/main_window/form1.h"

#include <QKeyEvent>
#include <QTest>

#include <algorithm>
#include <cstdint>

using namespace numora::testsupport;

namespace {

// Notes the deepest and the shallowest stack at which a game opens its first entry.
class DepthForm : public numora::Form1 {
public:
    using Form1::Form1;
    void wait2() override
    {
        const auto at = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        deepest = std::min(deepest, at);  // the stack grows down
        shallowest = std::max(shallowest, at);
        last = at;
        Form1::wait2();
    }
    std::uintptr_t deepest = UINTPTR_MAX, shallowest = 0, last = 0;
};

}  // namespace

class LongPlayTest : public QObject {
    Q_OBJECT

private slots:
    void fiveHundredGamesKeepTheirFootprint();
};

void LongPlayTest::fiveHundredGamesKeepTheirFootprint()
{
    DepthForm form(std::uint64_t{99});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form, kPatience));
    const WindowPlayer player(&form);
    QVERIFY(choose(&form, Qt::Key_G, Qt::Key_N));
    long after100 = 0;
    for (int game = 0; game < 500; ++game) {
        // A loss, a draw and a win in turn: a missed guess then four "+", the hidden
        // number then four "+", the hidden number then no signs.
        const std::string hidden = form.driver().state().mynumber;
        const int kind = game % 3;
        const std::string guess = kind == 0 ? (hidden == "1023" ? "5678" : "1023") : hidden;
        QVERIFY(player.guess(QString::fromStdString(guess)));
        QVERIFY(player.reached(numora::Phase::SignEntry));
        QVERIFY(player.answer(kind == 2 ? 0 : 4, 0));
        const QWidgetList ends = openendwindows();
        QVERIFY2(ends.size() == 1, qPrintable(QStringLiteral("game %1: %2 end windows").arg(game).arg(ends.size())));
        QWidget *end = ends.front();
        const char *expected[] = {"frmUlost", "Tvdraw", "frmUwin"};
        QCOMPARE(end->objectName(), QLatin1String(expected[kind]));
        // YES, handled by the event loop as a player's key press is.
        QCoreApplication::postEvent(end, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(end, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
        QTRY_VERIFY(openendwindows().isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (game == 0)  // the first game came from the menu, every later one from YES
            form.shallowest = form.deepest = form.last;
        if (game == 99)
            after100 = residentkib();
    }
    const long after500 = residentkib();
    qInfo("resident after 100 games %ld KiB, after 500 %ld KiB", after100, after500);
    if (kFootprintIsMeaningful)
        QVERIFY(std::abs(after500 - after100) <= 2048);
    QCOMPARE(form.deepest, form.shallowest);
}

NUMORA_QTEST_MAIN(LongPlayTest)

#include "longplay_test.moc"
