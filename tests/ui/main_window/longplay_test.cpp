// SPDX-License-Identifier: MIT
// Five hundred whole games through the real window: each end's YES starts the next game
// by returning to the event loop, so the stack stays as deep as in the first game, and
// no game leaves memory behind.
#include "form1.h"
#include "support/process.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <fstream>

namespace {

using numora::testsupport::residentkib;

// Notes the stack depth whenever a game opens its first entry.
class DepthForm : public numora::Form1 {
public:
    using Form1::Form1;
    void wait2() override
    {
        volatile char here = 0;
        const auto at = reinterpret_cast<std::uintptr_t>(&here);
        shallowest = std::min(shallowest, at);
        deepest = std::max(deepest, at);
        last = at;
        Form1::wait2();
    }
    std::uintptr_t shallowest = UINTPTR_MAX, deepest = 0, last = 0;
};


QWidget *openend()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        for (const char *name : {"frmUlost", "frmUwin", "Tvdraw"})
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                return w;
    return nullptr;
}

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
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto press = [&](const QString &name) {
        auto *b = form.findChild<QPushButton *>(name);
        QVERIFY(b && b->isEnabled());
        QTest::mouseClick(b, Qt::LeftButton);
    };
    form.findChild<QAction *>(QStringLiteral("newgame"))->trigger();
    long after100 = 0;
    for (int game = 0; game < 500; ++game) {
        // A loss, a draw and a win in turn: a missed guess then four "+", the hidden
        // number then four "+", the hidden number then no signs.
        const std::string hidden = form.driver().state().mynumber;
        const int kind = game % 3;
        const std::string guess = kind == 0 ? (hidden == "1023" ? "5678" : "1023") : hidden;
        for (char c : guess)
            press(QStringLiteral("Command%1").arg(c == '0' ? 10 : c - '0'));
        press(QStringLiteral("Command12"));
        QTRY_VERIFY(form.driver().phase() == numora::Phase::SignEntry);
        press(kind == 2 ? QStringLiteral("Command22") : QStringLiteral("Command20"));
        press(QStringLiteral("Command21"));
        press(QStringLiteral("Command23"));
        QWidget *end = openend();
        QVERIFY2(end, qPrintable(QStringLiteral("game %1 did not end").arg(game)));
        const char *expected[] = {"frmUlost", "Tvdraw", "frmUwin"};
        QCOMPARE(end->objectName(), QLatin1String(expected[kind]));
        QTest::keyClick(end, Qt::Key_Return);  // YES
        QTRY_VERIFY(!openend());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (game == 0)  // the first game came from the menu, every later one from YES
            form.shallowest = form.deepest = form.last;
        if (game == 99)
            after100 = residentkib();
    }
    const long after500 = residentkib();
    qInfo("resident after 100 games %ld KiB, after 500 %ld KiB", after100, after500);
    QVERIFY(after100 > 0);
    if (numora::testsupport::kResidentIsMeaningful)
        QVERIFY(std::abs(after500 - after100) <= 2048);
    QCOMPARE(form.deepest, form.shallowest);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    numora::look::setupapplication(app);
    LongPlayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "longplay_test.moc"
