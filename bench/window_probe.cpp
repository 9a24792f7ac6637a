// SPDX-License-Identifier: MIT
// Measures the game window from inside the program's own event loop.
//   window_probe startup  prints the milliseconds from NUMORA_LAUNCH_NS (the launcher's
//                         CLOCK_REALTIME, in ns) to the window's first paint, and quits
//   window_probe stall N  plays N whole games through the window's buttons and prints the
//                         longest time one event took to handle (the longest freeze)
#include "tests/support/gamewindow.h"
#include "ui/look/style.h"
#include "ui/main_window/form1.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Times every event handled from the event loop (nested deliveries count in their parent).
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        if (depth_++ > 0) {
            const bool handled = QApplication::notify(receiver, event);
            --depth_;
            return handled;
        }
        const auto start = std::chrono::steady_clock::now();
        const bool handled = QApplication::notify(receiver, event);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (ms > longest) {
            longest = ms;
            longesttype = event->type();
        }
        --depth_;
        return handled;
    }
    double longest = 0;
    int longesttype = 0;

private:
    int depth_ = 0;
};

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            const double launched = std::strtod(std::getenv("NUMORA_LAUNCH_NS"), nullptr);
            std::printf("%.1f\n", (double(now.tv_sec) * 1e9 + double(now.tv_nsec) - launched) / 1e6);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool seen_ = false;
};

// A player who hides a number, guesses at random and answers honestly, one click per tick.
class Player : public QObject {
public:
    Player(numora::Form1 &form, int games) : form_(form), games_(games) {}

    void step()
    {
        using numora::Phase;
        const Phase phase = form_.driver().phase();
        if (phase == Phase::Ended || phase == Phase::Contradiction) {
            if (--games_ == 0) {
                QCoreApplication::quit();
                return;
            }
            newgame();
        } else if (phase == Phase::Idle) {
            newgame();
        } else if (phase == Phase::NumberEntry) {
            QString guess;
            do
                guess = numbers_[std::uniform_int_distribution<int>(0, int(numbers_.size()) - 1)(rng_)];
            while (tried_.contains(guess));
            tried_ << guess;
            play().guess(guess);
        } else if (phase == Phase::SignEntry) {
            play().answerhonestly(secret_);
        }
    }

    QStringList numbers_;

private:
    void newgame()
    {
        form_.findChild<QAction *>(QStringLiteral("newgame"))->trigger();
        secret_ = numbers_[std::uniform_int_distribution<int>(0, int(numbers_.size()) - 1)(rng_)];
        tried_.clear();
    }
    numora::testsupport::WindowPlayer play() const { return numora::testsupport::WindowPlayer(&form_); }

    numora::Form1 &form_;
    int games_;
    std::mt19937_64 rng_{11};
    QString secret_;
    QStringList tried_;
};

}  // namespace

int main(int argc, char *argv[])
{
    numora::look::preparedesktop();
    TimedApplication app(argc, argv);
    numora::look::setupapplication(app);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (mode == QLatin1String("startup") && std::getenv("NUMORA_LAUNCH_NS")) {
        FirstPaint probe;
        numora::Form1 form;
        form.installEventFilter(&probe);
        return QApplication::exec();
    }
    if (mode == QLatin1String("stall")) {
        const int games = argc > 2 ? std::atoi(argv[2]) : 20;
        numora::Form1 form(std::uint64_t{5});
        Player player(form, games);
        player.numbers_ = numora::testsupport::admissiblenumbers();
        QTimer ticks;
        QObject::connect(&ticks, &QTimer::timeout, &player, &Player::step);
        ticks.start(2);
        const int rc = QApplication::exec();
        std::printf("longest event over %d games: %.2f ms (event type %d)\n", games, app.longest, app.longesttype);
        return rc;
    }
    std::fprintf(stderr, "usage: window_probe startup (with NUMORA_LAUNCH_NS) | stall [games]\n");
    return 2;
}
